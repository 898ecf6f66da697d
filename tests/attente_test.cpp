// The waits on a real terminal, a pseudo-terminal: the sessions of data/terminal.txt.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const fs::path DOSSIER = fs::temp_directory_path() / ("attente-" + std::to_string(getpid()));

// A command run by sh on a new terminal, in a folder with a model and a display-list file. As a
// job, its process group gets the terminal from a parent in the session, as a shell does.
struct Session {
    pid_t pid;
    int maitre;
    std::string lu; // everything printed so far
    explicit Session(const std::string &commande, bool job = false) {
        fs::remove_all(DOSSIER);
        fs::create_directories(DOSSIER);
        std::ofstream(DOSSIER / "modele.txt") << "Nombre_de_points: 3\nPoints: 0 0 0 0\nPoints: 1 1 0 0\nPoints: 2 0 1 0\nFaces: 0 0 1 2\n";
        fs::copy_file(OBJET, DOSSIER / "objet.h", fs::copy_options::overwrite_existing);
        if ((pid = forkpty(&maitre, nullptr, nullptr, nullptr)) != 0) return;
        if (job && fork() > 0) {
            int statut;
            wait(&statut);
            _exit(WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut));
        }
        if (job) setpgid(0, 0), signal(SIGTTOU, SIG_IGN), tcsetpgrp(0, getpid()), signal(SIGTTOU, SIG_DFL);
        setenv("MESHPRESS", MESHPRESS, 1), setenv("STAGEHAND", STAGEHAND, 1);
        if (chdir(DOSSIER.c_str()) == 0) execl("/bin/sh", "sh", "-c", commande.c_str(), nullptr);
        _exit(127);
    }
    ~Session() {
        if (const pid_t groupe = tcgetpgrp(maitre); groupe > 0) kill(-groupe, SIGKILL);
        if (waitpid(pid, nullptr, WNOHANG) == 0) kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        close(maitre);
    }
    // One read of at most 50 ms; false once the terminal is closed.
    bool lire() {
        pollfd p{maitre, POLLIN, 0};
        char t[4096];
        const ssize_t n = poll(&p, 1, 50) > 0 ? read(maitre, t, sizeof t) : 0;
        if (n > 0) lu.append(t, static_cast<size_t>(n));
        return n >= 0;
    }
    bool attendre(const std::string &texte) {
        for (int essai = 0; essai < 200 && lu.find(texte) == std::string::npos && lire(); ++essai) {
        }
        return lu.find(texte) != std::string::npos;
    }
    // The exit status when the program ends within essais tenths of a second, -1 otherwise.
    int fin(int essais = 100) {
        for (int essai = 0, statut; essai < essais; ++essai) {
            if (!lire()) usleep(50000); // a closed terminal answers at once
            if (waitpid(pid, &statut, WNOHANG) != pid) continue;
            for (int reste = 0; reste < 5 && lire(); ++reste) {
            }
            return WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut);
        }
        return -1;
    }
    void envoyer(const char *texte) { EXPECT_GT(write(maitre, texte, std::strlen(texte)), 0); }
};

// Whether the condition holds, or comes to within two seconds.
template <typename Condition> bool bientot(Condition condition) {
    for (int essai = 0; essai < 40 && !condition(); ++essai) usleep(50000);
    return condition();
}

// A step's text, with \n, \r and \xHH.
std::string texte(std::string s) {
    for (size_t i; (i = s.find('\\')) != std::string::npos;)
        s.replace(i, s[i + 1] == 'x' ? 4 : 2, 1, s[i + 1] == 'n' ? '\n' : s[i + 1] == 'r' ? '\r' : static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16)));
    return s;
}

} // namespace

// The sessions of data/terminal.txt, step by step.
TEST(Attente, SurUnTerminal) {
    std::ifstream etapes(DONNEES "/terminal.txt");
    std::unique_ptr<Session> s;
    for (std::string ligne; std::getline(etapes, ligne);) {
        if (ligne.empty() || ligne[0] == '#') continue;
        SCOPED_TRACE(ligne);
        const std::string verbe = ligne.substr(0, ligne.find(' ')), reste = texte(ligne.substr(verbe.size() + (verbe != ligne)));
        if (verbe[0] == '$') s.reset(), s = std::make_unique<Session>(reste, verbe == "$$");
        else if (verbe == ">") s->envoyer(reste.c_str());
        else if (verbe == "?") ASSERT_TRUE(s->attendre(reste)) << s->lu;
        else if (verbe == "ligne" || verbe == "touche") // line editing with echo, or single keys
            EXPECT_TRUE(bientot([&] {
                termios mode{};
                return tcgetattr(s->maitre, &mode) == 0 && ((mode.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO)) == (verbe == "ligne");
            }));
        else if (verbe == "attend" || verbe == "fin") EXPECT_EQ(s->fin(verbe == "fin" ? 100 : 10), verbe == "fin" ? std::stoi(reste) : -1) << s->lu;
        else if (verbe == "arrete") // its state letter is T
            EXPECT_TRUE(bientot([&] {
                std::string etat;
                std::getline(std::ifstream("/proc/" + std::to_string(tcgetpgrp(s->maitre)) + "/stat"), etat);
                return etat.find(") T") != std::string::npos;
            }));
        else if (verbe == "continue") kill(-tcgetpgrp(s->maitre), SIGCONT);
        else if (verbe == "pas") EXPECT_FALSE(fs::exists(DOSSIER / reste));
        else if (verbe == "fichier") EXPECT_TRUE(bientot([&] { return fs::exists(DOSSIER / reste); }));
        else FAIL() << "unknown step";
    }
}
