#include "systeme.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

int terminal = -1;
termios modeinitial, modetouche;
constexpr int SIGNAUX[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};
constexpr int NSIGNAUX = sizeof SIGNAUX / sizeof SIGNAUX[0];
struct sigaction anciens[NSIGNAUX];

int rang(int signal) {
    int i = 0;
    while (i < NSIGNAUX - 1 && SIGNAUX[i] != signal)
        ++i;
    return i;
}

// A signal during the wait must not leave the terminal without echo or line editing: the mode
// is given back, then the signal does what it did before the wait (usually: end the program).
// Ctrl-Z gives the terminal back while the program is stopped, and SIGCONT takes single keys
// again when it goes on.
void poursignal(int signal) {
    const int ancienerrno = errno;
    if (signal == SIGCONT) {
        tcsetattr(terminal, TCSANOW, &modetouche);
    } else {
        tcsetattr(terminal, TCSANOW, &modeinitial);
        struct sigaction nous;
        sigaction(signal, &anciens[rang(signal)], &nous);
        sigset_t ensemble;
        sigemptyset(&ensemble);
        sigaddset(&ensemble, signal);
        sigprocmask(SIG_UNBLOCK, &ensemble, nullptr);
        raise(signal);
        // Still here: stopped and continued, or not stopped at all (a process group that no
        // shell watches), or a handler of the program's that returned: the wait goes on.
        sigaction(signal, &nous, nullptr);
        tcsetattr(terminal, TCSANOW, &modetouche);
    }
    errno = ancienerrno;
}

} // namespace

void attendretouche() {
    if (!isatty(STDIN_FILENO)) return;
    std::fflush(stdout);
    // The key is read from the terminal itself: the standard input stream may still hold
    // the line break that ended the last answer.
    terminal = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (terminal >= 0 && tcgetattr(terminal, &modeinitial) == 0) {
        modetouche = modeinitial;
        modetouche.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        modetouche.c_cc[VMIN] = 1;
        modetouche.c_cc[VTIME] = 0;
        struct sigaction action {};
        action.sa_handler = poursignal;
        sigemptyset(&action.sa_mask);
        // A signal that was ignored on entry stays ignored.
        for (int i = 0; i < NSIGNAUX; ++i)
            if (sigaction(SIGNAUX[i], nullptr, &anciens[i]) == 0 &&
                anciens[i].sa_handler != SIG_IGN)
                sigaction(SIGNAUX[i], &action, nullptr);
        if (tcsetattr(terminal, TCSANOW, &modetouche) == 0) {
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
        for (int i = 0; i < NSIGNAUX; ++i)
            sigaction(SIGNAUX[i], &anciens[i], nullptr);
    }
    if (terminal >= 0) close(terminal);
    terminal = -1;
}

void preparerconsole() {}

void argumentsenutf8(int, char **) {}

FILE *ouvrirfichier(const char *nom, const char *mode) {
    return std::fopen(nom, mode);
}

FILE *creerexclusif(const char *nom) {
    const int d = open(nom, O_WRONLY | O_CREAT | O_EXCL, 0666);
    FILE *f = d < 0 ? nullptr : fdopen(d, "wb");
    if (d >= 0 && f == nullptr) close(d);
    return f;
}

int effacer(const char *nom) {
    return std::remove(nom);
}

long depuisconsole(char *, size_t, long longueur) {
    return longueur;
}

void afficher(FILE *flux, const char *texte) {
    std::fputs(texte, flux);
}

void garderconsole() {}

void confirmer() {
    attendretouche();
}

const char *chercher(const char *texte, size_t taille, const char *motif, size_t longueur) {
    return static_cast<const char *>(memmem(texte, taille, motif, longueur));
}

bool memefichier(FILE *ouvert, const char *nom) {
    struct stat e, s;
    return fstat(fileno(ouvert), &e) == 0 && stat(nom, &s) == 0 && e.st_dev == s.st_dev &&
           e.st_ino == s.st_ino;
}

bool estdossier(FILE *ouvert) {
    struct stat etat;
    return fstat(fileno(ouvert), &etat) == 0 && S_ISDIR(etat.st_mode);
}

bool estperipherique(FILE *ouvert) {
    struct stat etat;
    return fstat(fileno(ouvert), &etat) == 0 && (S_ISCHR(etat.st_mode) || S_ISBLK(etat.st_mode));
}

bool estdossier(const char *nom) {
    struct stat etat;
    return stat(nom, &etat) == 0 && S_ISDIR(etat.st_mode);
}

bool existe(const char *nom) {
    struct stat etat;
    return lstat(nom, &etat) == 0;
}

bool estordinaire(const char *nom) {
    struct stat etat;
    return stat(nom, &etat) == 0 && S_ISREG(etat.st_mode);
}

void grandespages(void *debut, size_t taille) {
#ifdef MADV_HUGEPAGE
    madvise(debut, taille, MADV_HUGEPAGE);
#else
    (void)debut;
    (void)taille;
#endif
}
