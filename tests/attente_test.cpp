// The waits on a real terminal: after a successful conversion the converter waits for one key
// read from the terminal, after "erreur" it ends at once; the animator waits for a key before
// it creates each keyframe file.
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>

#include "golden.h"
#include "pty.h"

namespace fs = std::filesystem;

static fs::path dossiertemporaire() {
    const fs::path d = fs::temp_directory_path() / ("attente-" + std::to_string(getpid()));
    fs::create_directories(d);
    golden::ecrire(d / "modele.txt", "Nombre_de_points: 0\n");
    return d;
}

TEST(Attente, ApresConversionAttendUneTouche) {
    pty::Session s = pty::lancer(dossiertemporaire(), MESHPRESS);
    pty::Garde garde{s};
    pty::envoyer(s, "modele.txt\nsortie\n");
    ASSERT_TRUE(pty::attendre(s, "sortie.cAppuyez sur une touche pour continuer...")) << s.lu;
    int statut = 0;
    // The line break after the base name is no key press: the program goes on waiting.
    EXPECT_FALSE(pty::termine(s, statut, 10)) << s.lu;
    pty::envoyer(s, "k");
    ASSERT_TRUE(pty::termine(s, statut)) << s.lu;
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
    EXPECT_TRUE(s.lu.ends_with("continuer...\r\n")) << s.lu;
    // The terminal is given back with its line editing and echo.
    termios mode;
    ASSERT_EQ(tcgetattr(s.maitre, &mode), 0);
    EXPECT_TRUE((mode.c_lflag & ICANON) && (mode.c_lflag & ECHO));
}

TEST(Attente, ApresErreurNAttendPas) {
    pty::Session s = pty::lancer(dossiertemporaire(), MESHPRESS);
    pty::Garde garde{s};
    pty::envoyer(s, "absent.txt\nsortie\n");
    int statut = 0;
    ASSERT_TRUE(pty::termine(s, statut)) << s.lu;
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
    EXPECT_TRUE(s.lu.ends_with("sortie.cerreur")) << s.lu;
    EXPECT_EQ(s.lu.find("Appuyez"), std::string::npos);
}

TEST(Attente, ChaqueFichierCleAttendSaConfirmation) {
    const fs::path d = dossiertemporaire();
    golden::ecrire(d / "objet.h", golden::lire(OBJET));
    pty::Session s = pty::lancer(d, STAGEHAND);
    pty::Garde garde{s};
    pty::envoyer(s, "objet.h\n1\nobjet.h\n0\nscene\n");
    ASSERT_TRUE(pty::attendre(s, "0scene0.txtAppuyez sur une touche pour continuer...")) << s.lu;
    int statut = 0;
    EXPECT_FALSE(pty::termine(s, statut, 10)) << s.lu;
    EXPECT_FALSE(fs::exists(d / "scene0.txt"));
    pty::envoyer(s, " ");
    ASSERT_TRUE(pty::attendre(s, "1scene1.txtAppuyez sur une touche pour continuer...")) << s.lu;
    EXPECT_TRUE(fs::exists(d / "scene0.txt"));
    EXPECT_FALSE(fs::exists(d / "scene1.txt"));
    pty::envoyer(s, "x");
    for (int essai = 0; essai < 100 && !fs::exists(d / "scene1.txt"); ++essai) usleep(50000);
    EXPECT_TRUE(fs::exists(d / "scene1.txt"));
}
