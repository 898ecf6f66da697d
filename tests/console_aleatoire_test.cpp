// The console answers of both real programs, at random: long words, no words, the end of the
// input, binary bytes, numbers where names go. Every run must end with status 0, within a time
// bound, and without a sanitizer report. The animator runs under Xvfb; a run whose answers lead
// it into its window (a file loaded, 0, a base name) is ended from outside and counts as ended.
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "golden.h"

namespace fs = std::filesystem;

namespace {

std::string reponses(std::mt19937 &alea) {
    static const char *const mots[] = {"modele.txt", "objet.h", "absent", "0", "1", "2", "-1", "non",
                                       "99999999999", "0x10", "+", "", "scene", "a/b/c", ".", "/"};
    std::string s;
    const int n = static_cast<int>(alea() % 8);
    for (int i = 0; i < n; ++i) {
        switch (alea() % 5) {
        case 0: {
            std::string binaire(alea() % 40, '\0');
            for (char &c : binaire) c = static_cast<char>(alea() % 256);
            s += binaire;
            break;
        }
        case 1:
            s += std::string(alea() % 2 ? 250 + alea() % 10 : 300 + alea() % 5000, static_cast<char>('a' + alea() % 26));
            break;
        default:
            s += mots[alea() % std::size(mots)];
            break;
        }
        s += " \n\t"[alea() % 3];
    }
    return s;
}

struct Fin {
    bool termine;
    bool fenetre; // the animator went on into its window
    int statut;
};

// In its window, the animator has asked for the base name and named its last keyframe file.
bool dansfenetre(const std::string &sortie) {
    return sortie.find("enregistrer sous (sans extension) : ") != std::string::npos && sortie.ends_with(".txt");
}

Fin lancer(const fs::path &dossier, const char *programme) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(127);
        dup2(open("entree", O_RDONLY), 0);
        dup2(open("sortie", O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open("erreurs", O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execl(programme, programme, nullptr);
        _exit(127);
    }
    int statut = 0;
    for (int essai = 0; essai < 1000; ++essai) {
        if (waitpid(pid, &statut, WNOHANG) == pid) return {true, false, statut};
        if (essai > 10 && dansfenetre(golden::lire(dossier / "sortie"))) break;
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &statut, 0);
    return {false, dansfenetre(golden::lire(dossier / "sortie")), statut};
}

void essayer(const char *programme, unsigned graine, int runs) {
    std::mt19937 alea(graine);
    const fs::path dossier = fs::temp_directory_path() / ("console-" + std::to_string(getpid()));
    for (int i = 0; i < runs; ++i) {
        fs::remove_all(dossier);
        fs::create_directories(dossier);
        golden::ecrire(dossier / "modele.txt", golden::lire(EXEMPLES "/cube.txt"));
        golden::ecrire(dossier / "objet.h", golden::lire(OBJET));
        const std::string entree = reponses(alea);
        golden::ecrire(dossier / "entree", entree);
        const Fin fin = lancer(dossier, programme);
        const std::string sortie = golden::lire(dossier / "sortie");
        const std::string erreurs = golden::lire(dossier / "erreurs");
        EXPECT_TRUE(fin.fenetre || (fin.termine && WIFEXITED(fin.statut) && WEXITSTATUS(fin.statut) == 0))
            << programme << " run " << i << " status " << fin.statut << " input [" << entree << "] output [" << sortie
            << "]";
        EXPECT_EQ(erreurs.find("Sanitizer"), std::string::npos) << erreurs;
        EXPECT_EQ(erreurs.find("runtime error"), std::string::npos) << erreurs;
    }
    fs::remove_all(dossier);
}

} // namespace

TEST(ConsoleAleatoire, Convertisseur) {
    essayer(MESHPRESS, 1, 150);
}

TEST(ConsoleAleatoire, Animateur) {
    essayer(STAGEHAND, 2, 60);
}
