#include "attente.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32

void attendretouche() {
    std::fflush(stdout);
    std::system("PAUSE");
}

#else

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

int terminal = -1;
termios modeinitial;

// A signal during the wait must not leave the terminal without echo or line editing.
void restaurersursignal(int signal) {
    tcsetattr(terminal, TCSANOW, &modeinitial);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void attendretouche() {
    if (!isatty(STDIN_FILENO)) return;
    std::fflush(stdout);
    // The key is read from the terminal itself: the standard input stream may still hold
    // the line break that ended the last answer.
    terminal = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (terminal >= 0 && tcgetattr(terminal, &modeinitial) == 0) {
        const int signaux[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
        void (*anciens[4])(int);
        for (int i = 0; i < 4; ++i) anciens[i] = std::signal(signaux[i], restaurersursignal);
        termios brut = modeinitial;
        brut.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        brut.c_cc[VMIN] = 1;
        brut.c_cc[VTIME] = 0;
        if (tcsetattr(terminal, TCSANOW, &brut) == 0) {
            // Asked only once the terminal takes single keys, so that no early key is lost.
            std::fputs("Appuyez sur une touche pour continuer...", stdout);
            std::fflush(stdout);
            char touche;
            while (read(terminal, &touche, 1) < 0 && errno == EINTR) {
            }
            tcsetattr(terminal, TCSANOW, &modeinitial);
            std::fputs("\n", stdout);
            std::fflush(stdout);
        }
        for (int i = 0; i < 4; ++i) std::signal(signaux[i], anciens[i]);
    }
    if (terminal >= 0) close(terminal);
    terminal = -1;
}

#endif
