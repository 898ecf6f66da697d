#include "pty.h"

#include <csignal>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pty {

Session lancer(const std::string &dossier, const std::string &programme) {
    Session s{};
    s.pid = forkpty(&s.maitre, nullptr, nullptr, nullptr);
    if (s.pid == 0) {
        if (chdir(dossier.c_str()) == 0) execl(programme.c_str(), programme.c_str(), nullptr);
        _exit(127);
    }
    return s;
}

// One read of at most delai milliseconds; false at the end of the output.
static bool lire(Session &s, int delai) {
    pollfd p{s.maitre, POLLIN, 0};
    if (poll(&p, 1, delai) <= 0) return true;
    char tampon[4096];
    const ssize_t n = read(s.maitre, tampon, sizeof tampon);
    if (n <= 0) return false;
    s.lu.append(tampon, static_cast<size_t>(n));
    return true;
}

bool attendre(Session &s, const std::string &texte) {
    for (int essai = 0; essai < 200; ++essai) {
        if (s.lu.find(texte) != std::string::npos) return true;
        if (!lire(s, 50)) break;
    }
    return s.lu.find(texte) != std::string::npos;
}

bool termine(Session &s, int &statut, int essais) {
    for (int essai = 0; essai < essais; ++essai) {
        // Once the terminal is closed poll returns at once: pace the loop by hand.
        if (!lire(s, 50)) usleep(50000);
        if (waitpid(s.pid, &statut, WNOHANG) == s.pid) {
            pollfd p{s.maitre, POLLIN, 0};
            while (poll(&p, 1, 0) > 0 && lire(s, 0)) {
            }
            return true;
        }
    }
    return false;
}

void envoyer(Session &s, const std::string &texte) {
    if (write(s.maitre, texte.data(), texte.size()) < 0) kill(s.pid, SIGKILL);
}

} // namespace pty

namespace pty {

void arreter(Session &s) {
    int statut;
    if (waitpid(s.pid, &statut, WNOHANG) == 0) {
        kill(s.pid, SIGKILL);
        waitpid(s.pid, &statut, 0);
    }
    close(s.maitre);
}

} // namespace pty
