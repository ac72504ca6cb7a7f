// SPDX-License-Identifier: GPL-3.0-or-later
#include "processus.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "langue.h"

namespace {

pid_t attendreFin(pid_t pid, int* statut) {
    pid_t r;
    while ((r = waitpid(pid, statut, 0)) < 0 && errno == EINTR) {}
    return r;
}

// Waits up to `ms` milliseconds; 0 while the program is still running.
pid_t attendrePendant(pid_t pid, int* statut, int ms, const std::function<bool()>& arreter) {
    for (int t = 0; t < ms || ms < 0; t += 20) {
        const pid_t r = waitpid(pid, statut, WNOHANG);
        if (r != 0 && !(r < 0 && errno == EINTR)) return r;
        if (arreter && arreter()) return 0;
        usleep(20000);
    }
    return 0;
}

// Waits for the program, ending it when `arreter` says so.
pid_t attendreOuArreter(pid_t pid, int* statut, const std::function<bool()>& arreter) {
    if (!arreter) return attendreFin(pid, statut);
    if (const pid_t r = attendrePendant(pid, statut, -1, arreter)) return r;
    kill(pid, SIGTERM);
    if (const pid_t r = attendrePendant(pid, statut, 3000, nullptr)) return r;
    kill(pid, SIGKILL);
    return attendreFin(pid, statut);
}

}  // namespace

Lancement lancerProgramme(const std::vector<std::string>& args, bool attendre,
                          const std::function<bool()>& arreter) {
    Lancement l;
    if (args.empty()) {
        l.erreur = EINVAL;
        return l;
    }
    // Everything the children need is built before the fork: after it they
    // only call async-signal-safe functions.
    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The user's environment, not the language this program chose for itself.
    std::vector<std::string> variables = environnementUtilisateur();
    std::vector<char*> envp;
    for (std::string& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);

    // A failed exec reports its errno through this pipe; a successful one
    // closes it (close-on-exec) without a byte.
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) < 0) {
        l.erreur = errno;
        return l;
    }

    const pid_t pid = fork();
    if (pid < 0) {
        l.erreur = errno;
        close(tube[0]);
        close(tube[1]);
        return l;
    }
    if (pid == 0) {
        close(tube[0]);
        if (!attendre) {
            const pid_t petit = fork();
            if (petit != 0) _exit(petit < 0 ? 127 : 0);
            setsid();
            const int nul = open("/dev/null", O_RDWR);
            if (nul >= 0) {
                dup2(nul, STDIN_FILENO);
                if (nul > STDERR_FILENO) close(nul);
            }
        }
        execvpe(argv[0], argv.data(), envp.data());
        const int erreur = errno;
        ssize_t ignore = write(tube[1], &erreur, sizeof erreur);
        (void)ignore;
        _exit(127);
    }
    close(tube[1]);
    int erreur = 0;
    ssize_t lu;
    while ((lu = read(tube[0], &erreur, sizeof erreur)) < 0 && errno == EINTR) {}
    close(tube[0]);

    int statut = 0;
    const bool attendu = (attendre ? attendreOuArreter(pid, &statut, arreter) : attendreFin(pid, &statut)) == pid;
    if (lu > 0) {
        l.erreur = erreur;
        return l;
    }
    if (!attendre && (!attendu || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0)) {
        l.erreur = ECHILD;  // the intermediate child could not fork
        return l;
    }
    l.demarre = true;
    if (attendre && attendu) l.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    return l;
}
