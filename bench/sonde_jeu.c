// SPDX-License-Identifier: GPL-3.0-or-later
/* Loaded into the real vorna program (LD_PRELOAD) by bench_demarrage: it
 * watches the buffer swaps, the program's own frames (not the swap that
 * shows the window as it opens), without changing the program.
 *
 *   VORNA_SONDE_T0      CLOCK_MONOTONIC nanoseconds when the bench started
 *                       the program
 *   VORNA_SONDE_SORTIE  file the figures are appended to
 *   VORNA_SONDE_MODE    "logo": note the time of the first frame (the first
 *                       frame of the logo) and end the program;
 *                       "parcours": from the menu into a run of level 1 and
 *                       back, VORNA_SONDE_TOURS times, noting the resident
 *                       memory at each return to the menu, then quit;
 *                       "menu": the processor time (every thread) of 300
 *                       frames of the main menu left alone, then quit.
 */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static long frames = 0;

static void noter(const char* ligne) {
    const char* chemin = getenv("VORNA_SONDE_SORTIE");
    FILE* f = chemin ? fopen(chemin, "a") : NULL;
    if (!f) return;
    fputs(ligne, f);
    fclose(f);
}

/* A field of /proc/self/status in kB (VmRSS, VmHWM). */
static long memoire(const char* champ) {
    FILE* f = fopen("/proc/self/status", "r");
    char l[256];
    long v = -1;
    if (!f) return -1;
    while (fgets(l, sizeof l, f))
        if (strncmp(l, champ, strlen(champ)) == 0) v = atol(l + strlen(champ) + 1);
    fclose(f);
    return v;
}

static void touche(SDL_Keycode k, int enfoncee) {
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = enfoncee ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.type = e.type;
    e.key.state = enfoncee ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = k;
    SDL_PushEvent(&e);
}

static void tape(SDL_Keycode k) {
    touche(k, 1);
    touche(k, 0);
}

/* One tour: three Returns in the menu (Jouer, Scenario, level 1), the launch
 * fade, the run, then Escape, Up to "Quitter" and Return at once: the paused
 * run draws nothing while nothing changes. Frames at 60 a second at most,
 * steps at 30: the logo's 177 steps are up to 354 frames. */
enum { kDebut = 400, kTour = 230 };

static void parcours(void) {
    static int tours = -1;
    if (tours < 0) tours = getenv("VORNA_SONDE_TOURS") ? atoi(getenv("VORNA_SONDE_TOURS")) : 10;
    if (frames < kDebut) return;
    const long t = (frames - kDebut) / kTour, f = (frames - kDebut) % kTour;
    char l[128];
    if (t >= tours) {
        if (f == 0) {
            snprintf(l, sizeof l, "menu_final_kB %ld\n", memoire("VmRSS:"));
            noter(l);
            tape(SDLK_ESCAPE);
        }
        return;
    }
    switch (f) {
        case 0:
            snprintf(l, sizeof l, "menu_kB %ld %ld\n", t, memoire("VmRSS:"));
            noter(l);
            tape(SDLK_RETURN);
            break;
        case 5: tape(SDLK_RETURN); break;
        case 10: tape(SDLK_RETURN); break;
        case 190:
            snprintf(l, sizeof l, "partie_kB %ld %ld\n", t, memoire("VmRSS:"));
            noter(l);
            tape(SDLK_ESCAPE);
            tape(SDLK_UP);
            tape(SDLK_RETURN);
            break;
        default: break;
    }
}

/* Processor time per frame of the menu left alone, from frame kDebut on. */
static void menuSeul(void) {
    static double debut = 0;
    struct timespec c;
    if (frames != kDebut && frames != kDebut + 300) return;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c);
    const double ms = c.tv_sec * 1e3 + c.tv_nsec / 1e6;
    if (frames == kDebut) {
        debut = ms;
        return;
    }
    char l[128];
    snprintf(l, sizeof l, "menu_ms_par_image %.2f\n", (ms - debut) / 300);
    noter(l);
    _exit(0);
}

void SDL_GL_SwapWindow(SDL_Window* fenetre) {
    static void (*vrai)(SDL_Window*) = NULL;
    static int ouverture = 1;
    if (!vrai) vrai = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    if (ouverture) {
        /* The black window shown as it opens is no frame of the program. */
        ouverture = 0;
        vrai(fenetre);
        return;
    }
    ++frames;
    const char* mode = getenv("VORNA_SONDE_MODE");
    if (frames == 1) {
        struct timespec m;
        clock_gettime(CLOCK_MONOTONIC, &m);
        const char* t0 = getenv("VORNA_SONDE_T0");
        const double ms = ((double)m.tv_sec * 1e9 + m.tv_nsec - (t0 ? atof(t0) : 0)) / 1e6;
        char l[128];
        snprintf(l, sizeof l, "logo_ms %.1f\n", ms);
        noter(l);
    }
    vrai(fenetre);
    if (mode && strcmp(mode, "logo") == 0) {
        char l[128];
        snprintf(l, sizeof l, "hwm_kB %ld\n", memoire("VmHWM:"));
        noter(l);
        _exit(0);
    }
    if (mode && strcmp(mode, "parcours") == 0) parcours();
    if (mode && strcmp(mode, "menu") == 0) menuSeul();
}

__attribute__((destructor)) static void fin(void) {
    char l[128];
    snprintf(l, sizeof l, "hwm_kB %ld\n", memoire("VmHWM:"));
    noter(l);
}
