#include "navigateur.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string commandeChoisie;

std::string commande() {
    if (!commandeChoisie.empty()) return commandeChoisie;
    const char* env = std::getenv("VORNA_BROWSER");
    if (env && *env) return env;
    return "xdg-open";
}

}  // namespace

void setCommandeNavigateur(const std::string& c) { commandeChoisie = c; }

bool ouvrirUrl(const std::string& url) {
    const std::string prog = commande();
    // Both strings are copied before the fork: the children only call
    // async-signal-safe functions.
    std::string a0 = prog, a1 = url;
    char* argv[] = {a0.data(), a1.data(), nullptr};

    // The browser's exec reports its failure through this pipe; a successful
    // exec closes it (close-on-exec) without a byte.
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) < 0) {
        std::perror("vorna: pipe");
        return false;
    }

    // Double fork: the browser is adopted by init, so no zombie is left
    // behind and the game never waits for it.
    pid_t pid = fork();
    if (pid < 0) {
        std::perror("vorna: fork");
        close(tube[0]);
        close(tube[1]);
        return false;
    }
    if (pid == 0) {
        close(tube[0]);
        pid_t petit = fork();
        if (petit != 0) _exit(petit < 0 ? 127 : 0);
        setsid();
        int nul = open("/dev/null", O_RDWR);
        if (nul >= 0) {
            dup2(nul, STDIN_FILENO);
            if (nul > STDERR_FILENO) close(nul);
        }
        execvp(argv[0], argv);
        int erreur = errno;
        ssize_t ignore = write(tube[1], &erreur, sizeof erreur);
        (void)ignore;
        _exit(127);
    }
    close(tube[1]);
    int statut = 0;
    while (waitpid(pid, &statut, 0) < 0 && errno == EINTR) {}
    int erreur = 0;
    ssize_t lu;
    while ((lu = read(tube[0], &erreur, sizeof erreur)) < 0 && errno == EINTR) {}
    close(tube[0]);
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0 || lu > 0) {
        std::fprintf(stderr, "vorna: could not start the web browser '%s': %s\n", prog.c_str(),
                     lu > 0 ? std::strerror(erreur) : "fork failed");
        return false;
    }
    return true;
}
