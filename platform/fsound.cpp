// SPDX-License-Identifier: GPL-3.0-or-later
#include "fsound.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>

#include "audio.h"
#include "lecture.h"

struct FSOUND_SAMPLE {
    void* donnees = nullptr;
    int frequence = 44100;
    int volume = 255;
    int pan = 128;
    int priorite = 255;
};

struct FSOUND_STREAM {
    void* donnees = nullptr;
    int boucles = 0;     // loop count: −1 for ever, n: n more times after the first
    int canal = -1;      // channel it was started on, −1 when not playing
};

namespace {

// Sample channels are numbered from here on, so that they never meet the
// small channel numbers the game gives its music stream.
const int kPremierCanalEchantillon = 64;

struct Etat {
    bool ouvert = false;      // an audio device is open
    int volumeGlobal = 255;
    std::set<FSOUND_SAMPLE*> echantillons;
    std::set<FSOUND_STREAM*> flux;
    FSOUND_STREAM* fluxJoue = nullptr;  // the stream SDL_mixer is playing
    bool musiqueEnPause = false;
    int musique = 10, effets = 10;      // the player's volumes, in tenths
};

Etat etat;

int borne(int v) { return std::clamp(v, 0, 255); }
int applique(int volume) { return borne(volume) * etat.volumeGlobal / 255; }
int effet(int volume) { return applique(volume) * etat.effets / 10; }
int musique(int volume) { return volume * etat.musique / 10; }

// Loads `name` through `charger`, the mixer's loader. Something at that path
// that is no file to read (a FIFO, a device, a folder, a huge file) never
// reaches the mixer; a file the mixer cannot load gets one line when it is
// missing, or when it is there but no sound (without an audio device nothing
// loads, which FSOUND_Init has said already).
template <typename Charger>
void* chargerSon(const char* name, const char* quoi, Charger charger) {
    int absent = 0;
    if (!ouvrirLecture(name)) {
        absent = errno;
        if (absent != ENOENT) {
            signalerLecture(name, quoi, absent);
            return nullptr;
        }
    }
    void* donnees = charger(name);
    if (!donnees && absent)
        signalerLecture(name, quoi, absent);
    else if (!donnees && etat.ouvert)
        std::fprintf(stderr, "%s: %s \"%s\" cannot be decoded\n", program_invocation_short_name,
                     quoi, name);
    return donnees;
}

}  // namespace

signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int) {
    if (etat.ouvert) return 1;
    etat.ouvert = audio::courant().ouvrir(mixrate, maxsoftwarechannels);
    if (!etat.ouvert)
        std::fprintf(stderr, "vorna: no audio device could be opened; playing without sound\n");
    return etat.ouvert ? 1 : 0;
}

void FSOUND_Close() {
    audio::Mixeur& m = audio::courant();
    if (etat.fluxJoue) m.arreterMusique();
    etat.fluxJoue = nullptr;
    etat.musiqueEnPause = false;
    // Handles the game still holds stay valid and harmless: their data goes
    // with the device.
    for (FSOUND_SAMPLE* s : etat.echantillons) {
        if (s->donnees) m.libererEchantillon(s->donnees);
        s->donnees = nullptr;
    }
    for (FSOUND_STREAM* f : etat.flux) {
        if (f->donnees) m.libererMusique(f->donnees);
        f->donnees = nullptr;
        f->canal = -1;
    }
    if (etat.ouvert) m.fermer();
    etat.ouvert = false;
}

signed char FSOUND_SetVolume(int channel, int vol) {
    audio::Mixeur& m = audio::courant();
    if (channel == FSOUND_ALL) {
        etat.volumeGlobal = borne(vol);
        if (etat.fluxJoue) m.volumeMusique(musique(etat.volumeGlobal));
        return 1;
    }
    if (channel >= kPremierCanalEchantillon) {
        m.volumeVoix(channel - kPremierCanalEchantillon, effet(vol));
        return 1;
    }
    if (etat.fluxJoue && channel == etat.fluxJoue->canal) {
        m.volumeMusique(musique(applique(vol)));
        return 1;
    }
    return 0;
}

int FSOUND_GetVolume(int channel) {
    if (channel == FSOUND_ALL) return etat.volumeGlobal;
    return 0;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int, const char* name, unsigned int, int, int) {
    if (!name) return nullptr;
    void* donnees = chargerSon(name, "sound",
                               [](const char* n) { return audio::courant().chargerEchantillon(n); });
    if (!donnees) return nullptr;
    FSOUND_SAMPLE* s = new FSOUND_SAMPLE;
    s->donnees = donnees;
    etat.echantillons.insert(s);
    return s;
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sptr) {
    if (!sptr || !etat.echantillons.erase(sptr)) return;
    if (sptr->donnees) audio::courant().libererEchantillon(sptr->donnees);
    delete sptr;
}

signed char FSOUND_Sample_SetDefaults(FSOUND_SAMPLE* sptr, int deffreq, int defvol,
                                      int defpan, int defpri) {
    if (!sptr) return 0;
    if (deffreq != -1) sptr->frequence = deffreq;
    if (defvol != -1) sptr->volume = borne(defvol);
    if (defpan != -1) sptr->pan = borne(defpan);
    if (defpri != -1) sptr->priorite = borne(defpri);
    return 1;
}

signed char FSOUND_Sample_GetDefaults(FSOUND_SAMPLE* sptr, int* deffreq, int* defvol,
                                      int* defpan, int* defpri) {
    if (!sptr) return 0;
    if (deffreq) *deffreq = sptr->frequence;
    if (defvol) *defvol = sptr->volume;
    if (defpan) *defpan = sptr->pan;
    if (defpri) *defpri = sptr->priorite;
    return 1;
}

int FSOUND_PlaySound(int, FSOUND_SAMPLE* sptr) {
    if (!sptr || !sptr->donnees || !etat.ouvert) return -1;
    int voix = audio::courant().jouerEchantillon(sptr->donnees, effet(sptr->volume));
    return voix < 0 ? -1 : voix + kPremierCanalEchantillon;
}

signed char FSOUND_SetPaused(int channel, signed char paused) {
    audio::Mixeur& m = audio::courant();
    bool pause = paused != 0;
    if (channel == FSOUND_ALL) {
        m.pauseVoix(-1, pause);
        if (etat.fluxJoue) m.pauseMusique(pause);
        etat.musiqueEnPause = etat.fluxJoue && pause;
        return 1;
    }
    if (etat.fluxJoue && channel == etat.fluxJoue->canal) {
        m.pauseMusique(pause);
        etat.musiqueEnPause = pause;
        return 1;
    }
    if (channel >= kPremierCanalEchantillon) {
        m.pauseVoix(channel - kPremierCanalEchantillon, pause);
        return 1;
    }
    return 0;
}

signed char FSOUND_GetPaused(int channel) {
    if (etat.fluxJoue && channel == etat.fluxJoue->canal) return etat.musiqueEnPause ? 1 : 0;
    return 0;
}

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int mode, int, int) {
    if (!name) return nullptr;
    void* donnees = chargerSon(name, "music",
                               [](const char* n) { return audio::courant().chargerMusique(n); });
    if (!donnees) return nullptr;
    FSOUND_STREAM* f = new FSOUND_STREAM;
    f->donnees = donnees;
    f->boucles = (mode & FSOUND_LOOP_NORMAL) ? -1 : 0;
    etat.flux.insert(f);
    return f;
}

signed char FSOUND_Stream_SetLoopCount(FSOUND_STREAM* stream, int count) {
    if (!stream) return 0;
    stream->boucles = count < 0 ? -1 : count;
    return 1;
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
    if (!stream || !stream->donnees || !etat.ouvert) return -1;
    audio::Mixeur& m = audio::courant();
    int lectures = stream->boucles < 0 ? -1 : stream->boucles + 1;
    if (!m.jouerMusique(stream->donnees, lectures, musique(etat.volumeGlobal))) return -1;
    if (etat.fluxJoue && etat.fluxJoue != stream) etat.fluxJoue->canal = -1;
    stream->canal = channel >= 0 ? channel : 0;
    etat.fluxJoue = stream;
    etat.musiqueEnPause = false;
    return stream->canal;
}

signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream) {
    if (!stream) return 0;
    if (etat.fluxJoue == stream) {
        audio::courant().arreterMusique();
        etat.fluxJoue = nullptr;
        etat.musiqueEnPause = false;
    }
    stream->canal = -1;
    return 1;
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream) {
    if (!stream || !etat.flux.count(stream)) return 0;
    FSOUND_Stream_Stop(stream);
    etat.flux.erase(stream);
    if (stream->donnees) audio::courant().libererMusique(stream->donnees);
    delete stream;
    return 1;
}

void volumesJoueur(int musiqueJoueur, int effets) {
    etat.musique = std::clamp(musiqueJoueur, 0, 10);
    etat.effets = std::clamp(effets, 0, 10);
    if (etat.fluxJoue) audio::courant().volumeMusique(musique(etat.volumeGlobal));
}
