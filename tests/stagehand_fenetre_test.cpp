// The real programs end to end: the samples converted by meshpress, loaded by stagehand with
// the answers on its standard input, and its real window read back from the X server.
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include "fenetre.h"
#include "golden.h"

namespace fs = std::filesystem;

namespace {

fs::path preparer() {
    const fs::path d = fs::temp_directory_path() / ("fenetre-" + std::to_string(getpid()));
    fs::create_directories(d);
    for (const char *modele : {"cube", "pyramide"}) {
        const std::string ligne = "cd '" + d.string() + "' && printf '%s\\n%s\\n' '" EXEMPLES "/" +
                                  modele + ".txt' " + modele + " | " MESHPRESS " > /dev/null";
        EXPECT_EQ(std::system(ligne.c_str()), 0);
    }
    return d;
}

pid_t lancer(const fs::path &dossier, const std::string &reponses) {
    golden::ecrire(dossier / "reponses", reponses);
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(127);
        const int entree = open("reponses", O_RDONLY);
        const int sortie = open("console", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(entree, 0);
        dup2(sortie, 1);
        execl(STAGEHAND, STAGEHAND, nullptr);
        _exit(127);
    }
    return pid;
}

struct Couleurs {
    long bleu = 0, noir = 0, blanc = 0, autre = 0;
    long noirgauche = 0, blancdroite = 0;
};

Couleurs compter(const fenetre::Image &image) {
    Couleurs c;
    for (int y = 0; y < image.hauteur; ++y)
        for (int x = 0; x < image.largeur; ++x) {
            const unsigned char *p = image.pixel(x, y);
            if (p[0] == 0 && p[1] == 0 && p[2] == 255) {
                ++c.bleu;
            } else if (p[0] == 0 && p[1] == 0 && p[2] == 0) {
                ++c.noir;
                c.noirgauche += x < image.largeur / 2;
            } else if (p[0] == 255 && p[1] == 255 && p[2] == 255) {
                ++c.blanc;
                c.blancdroite += x >= image.largeur / 2;
            } else {
                ++c.autre;
            }
        }
    return c;
}

// Waits until the program has drawn a frame: its main loop is running.
void attendrepremiereimage(Display *d, Window w) {
    for (int essai = 0; essai < 100 && compter(fenetre::capturer(d, w)).bleu == 0; ++essai) usleep(50000);
}

void xdotool(const std::string &arguments) {
    EXPECT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
}

int fin(pid_t pid) {
    int statut = -1;
    for (int essai = 0; essai < 200 && waitpid(pid, &statut, WNOHANG) == 0; ++essai) usleep(50000);
    if (waitpid(pid, &statut, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &statut, 0);
    }
    return statut;
}

} // namespace

TEST(Fenetre, SourisEtTouchesJusquAEchap) {
    const fs::path dossier = preparer();
    Display *d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const pid_t pid = lancer(dossier, "cube.h\n1\npyramide.h\n0\nscene\n");
    const Window w = fenetre::chercher(d, "stagehand");
    ASSERT_NE(w, 0u);
    attendrepremiereimage(d, w);
    int x, y;
    fenetre::position(d, w, x, y);
    const std::string centre = std::to_string(x + 320) + " " + std::to_string(y + 240);
    // To the centre (no turn), then once to the right: one step, and the pointer comes back.
    xdotool("mousemove " + centre);
    xdotool("mousemove " + std::to_string(x + 330) + " " + std::to_string(y + 240));
    // Translate object 1 forward, keyframe, help, select object 2, turn it, keyframe, Esc.
    xdotool("key --delay 20 t z Return c plus r d Return Escape");
    const int statut = fin(pid);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << statut;
    for (const char *nom : {"console", "scene0.txt", "scene1.txt"}) {
        const std::string attendu = std::string(nom) == "console" ? "console.out" : nom;
        EXPECT_EQ(golden::lire(dossier / nom), golden::lire(fs::path(XDOTOOL) / attendu)) << nom;
    }
    XCloseDisplay(d);
}

TEST(Fenetre, FermerLaFenetreCompleteLesFichiers) {
    const fs::path dossier = preparer();
    Display *d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const pid_t pid = lancer(dossier, "cube.h\n0\nferme\n");
    const Window w = fenetre::chercher(d, "stagehand");
    ASSERT_NE(w, 0u);
    attendrepremiereimage(d, w);
    int x, y;
    fenetre::position(d, w, x, y);
    xdotool("mousemove " + std::to_string(x + 320) + " " + std::to_string(y + 240));
    xdotool("key Return");
    // The keyframe is on disk before the window is closed.
    for (int essai = 0; essai < 100 && golden::lire(dossier / "ferme0.txt").empty(); ++essai) usleep(50000);
    fenetre::demanderfermeture(d, w);
    const int statut = fin(pid);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << statut;
    EXPECT_EQ(golden::lire(dossier / "ferme0.txt"), golden::lire(XDOTOOL "/ferme0.txt"));
    XCloseDisplay(d);
}

TEST(Fenetre, ScenePartieDesEchantillons) {
    const fs::path dossier = preparer();
    Display *d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr) << "no X display";
    const pid_t pid = lancer(dossier, "cube.h\n1\npyramide.h\n0\nscene\n");
    const Window w = fenetre::chercher(d, "stagehand");
    ASSERT_NE(w, 0u) << golden::lire(dossier / "console");
    // The first frames may not be drawn yet when the window appears.
    fenetre::Image image;
    Couleurs c;
    for (int essai = 0; essai < 100 && (c.bleu == 0 || c.noir == 0 || c.blanc == 0); ++essai) {
        usleep(50000);
        image = fenetre::capturer(d, w);
        c = compter(image);
    }
    if (const char *capture = std::getenv("CAPTURE")) fenetre::enregistrerppm(image, capture);
    EXPECT_EQ(image.largeur, 640);
    EXPECT_EQ(image.hauteur, 480);
    // Blue background, the selected cube (object 1, on the left) black, the pyramid white.
    EXPECT_GT(c.bleu, image.largeur * image.hauteur / 2);
    EXPECT_GT(c.noirgauche, 1000);
    EXPECT_GT(c.blancdroite, 500);
    EXPECT_EQ(c.noir - c.noirgauche, 0);
    EXPECT_EQ(c.blanc - c.blancdroite, 0);
    EXPECT_EQ(c.autre, 0);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
}
