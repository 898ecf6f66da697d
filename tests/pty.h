#pragma once
// A real program on a pseudo-terminal, as a user at a console meets it.
#include <string>
#include <sys/types.h>

namespace pty {

struct Session {
    pid_t pid;
    int maitre;
    std::string lu; // everything the program printed so far
};

Session lancer(const std::string &dossier, const std::string &programme);
// Reads until texte has been printed; false if the program ended first.
bool attendre(Session &s, const std::string &texte);
// True when the program ends within essais reads of 50 ms (what it prints meanwhile is kept).
bool termine(Session &s, int &statut, int essais = 100);
void envoyer(Session &s, const std::string &texte);
// Kills the program if it still runs, so that a failed test leaves nothing behind.
void arreter(Session &s);

// Stops its session's program at the end of the scope, whatever the test's outcome.
struct Garde {
    Session &s;
    ~Garde() { arreter(s); }
};

} // namespace pty
