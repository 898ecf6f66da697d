// The waits on a real terminal (a pseudo-terminal): one key after a successful conversion, none
// after "erreur" or with the answers piped; signals during the wait give the terminal back; the
// animator waits before it creates each keyframe file.
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
        fs::create_directories(DOSSIER);
        std::ofstream(DOSSIER / "modele.txt") << "Nombre_de_points: 0\n";
        fs::copy_file(OBJET, DOSSIER / "objet.h", fs::copy_options::overwrite_existing);
        if ((pid = forkpty(&maitre, nullptr, nullptr, nullptr)) != 0) return;
        if (job && fork() > 0) {
            int statut;
            wait(&statut);
            _exit(WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut));
        }
        if (job) setpgid(0, 0), signal(SIGTTOU, SIG_IGN), tcsetpgrp(0, getpid()), signal(SIGTTOU, SIG_DFL);
        if (chdir(DOSSIER.c_str()) == 0) execl("/bin/sh", "sh", "-c", ("exec " + commande).c_str(), nullptr);
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
            return statut;
        }
        return -1;
    }
    void envoyer(const char *texte) { EXPECT_GT(write(maitre, texte, std::strlen(texte)), 0); }
    // Whether the terminal is, or within a second becomes, in its line mode with echo.
    bool canonique(bool voulu) {
        termios mode{};
        for (int essai = 0; essai < 20; ++essai, usleep(50000))
            if (tcgetattr(maitre, &mode) == 0 && ((mode.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO)) == voulu)
                return true;
        return false;
    }
    void convertir() {
        envoyer("modele.txt\nsortie\n");
        ASSERT_TRUE(attendre("sortie.cAppuyez sur une touche pour continuer...")) << lu;
        EXPECT_TRUE(canonique(false));
    }
};

} // namespace

TEST(Attente, UneToucheApresLaConversion) {
    Session s(MESHPRESS);
    s.convertir();
    EXPECT_EQ(s.fin(10), -1) << s.lu; // the line break after the base name is no key
    s.envoyer("k");
    EXPECT_EQ(s.fin(), 0) << s.lu;
    EXPECT_TRUE(s.lu.ends_with("continuer...\r\n")) << s.lu;
    EXPECT_TRUE(s.canonique(true));
    // After "erreur", and with the answers piped while the terminal is still there: no wait.
    for (const char *reponses : {"absent.txt", "modele.txt"}) {
        Session t(std::string("sh -c 'echo ") + reponses + " sortie | " MESHPRESS "'");
        EXPECT_EQ(t.fin(), 0) << t.lu;
        EXPECT_EQ(t.lu.find("Appuyez"), std::string::npos) << t.lu;
    }
}

TEST(Attente, Signaux) {
    Session c(MESHPRESS); // Ctrl-C ends it, the terminal given back
    c.convertir();
    c.envoyer("\x03");
    EXPECT_EQ(c.fin(), SIGINT); // the status of a process killed by SIGINT
    EXPECT_TRUE(c.canonique(true));
    Session i("sh -c \"trap '' INT; exec " MESHPRESS "\""); // ignored on entry, it stays ignored
    i.convertir();
    i.envoyer("\x03");
    EXPECT_EQ(i.fin(10), -1) << i.lu;
    i.envoyer("k");
    EXPECT_EQ(i.fin(), 0) << i.lu;
    // Ctrl-Z stops it with the terminal given back; going on takes single keys again.
    Session z(MESHPRESS, true);
    z.convertir();
    z.envoyer("\x1a");
    EXPECT_TRUE(z.canonique(true));
    const pid_t groupe = tcgetpgrp(z.maitre);
    std::string etat;
    for (int essai = 0; essai < 20 && etat.find(") T") == std::string::npos; ++essai, usleep(50000))
        std::getline(std::ifstream("/proc/" + std::to_string(groupe) + "/stat"), etat);
    EXPECT_NE(etat.find(") T"), std::string::npos) << etat;
    kill(-groupe, SIGCONT);
    EXPECT_TRUE(z.canonique(false));
    z.envoyer("k");
    EXPECT_EQ(z.fin(), 0) << z.lu;
    EXPECT_TRUE(z.canonique(true));
}

TEST(Attente, ChaqueFichierCleAttendSaConfirmation) {
    Session s(STAGEHAND);
    s.envoyer("objet.h\n1\nobjet.h\n0\nscene\n");
    for (const std::string nom : {"scene0.txt", "scene1.txt"}) {
        ASSERT_TRUE(s.attendre(nom[5] + nom + "Appuyez sur une touche pour continuer...")) << s.lu;
        EXPECT_EQ(s.fin(10), -1) << s.lu;
        EXPECT_FALSE(fs::exists(DOSSIER / nom));
        s.envoyer(" ");
        for (int essai = 0; essai < 100 && !fs::exists(DOSSIER / nom); ++essai) usleep(50000);
        EXPECT_TRUE(fs::exists(DOSSIER / nom));
    }
}
