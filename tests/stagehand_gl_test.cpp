// The animator's loader and rendering in a real GLUT window with Mesa's OpenGL.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

#include "chargeur.h"
#include "fenetre.h"
#include "golden.h"
#include "scene.h"

namespace fs = std::filesystem;

namespace {

fs::path dossier() {
    static const fs::path d = [] {
        fs::path p = fs::temp_directory_path() / ("gl-" + std::to_string(getpid()));
        fs::create_directories(p);
        return p;
    }();
    return d;
}

// A model converted by the real converter; returns the display-list file's path.
fs::path convertir(const std::string &base, const std::string &modele) {
    golden::ecrire(dossier() / (base + ".txt"), modele);
    const std::string ligne = "cd '" + dossier().string() + "' && printf '" + base + ".txt\\n" +
                              base + "\\n' | " MESHPRESS " > /dev/null";
    EXPECT_EQ(std::system(ligne.c_str()), 0);
    return dossier() / (base + ".h");
}

unsigned charger(const fs::path &chemin) {
    FILE *f = std::fopen(chemin.c_str(), "r");
    EXPECT_NE(f, nullptr);
    const unsigned liste = chargerliste(f);
    std::fclose(f);
    return liste;
}

unsigned chargertexte(const std::string &texte) {
    golden::ecrire(dossier() / "texte.h", texte);
    return charger(dossier() / "texte.h");
}

// The triangles a list draws under identity matrices, captured with feedback mode. The
// viewport of 2 by 2 pixels maps x and y to x + 1 and y + 1, z to (z + 1) / 2.
std::vector<float> sommets(unsigned liste) {
    std::vector<GLfloat> tampon(1 << 20);
    glViewport(0, 0, 2, 2);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(tampon.size()), GL_3D, tampon.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(liste);
    const int n = glRenderMode(GL_RENDER);
    EXPECT_GE(n, 0) << "feedback buffer too small";
    std::vector<float> xyz;
    for (int i = 0; i < n;) {
        EXPECT_EQ(tampon[i], GL_POLYGON_TOKEN);
        EXPECT_EQ(tampon[i + 1], 3);
        for (int k = 0; k < 3; ++k) {
            xyz.push_back(tampon[i + 2 + 3 * k] - 1);
            xyz.push_back(tampon[i + 3 + 3 * k] - 1);
            xyz.push_back(2 * tampon[i + 4 + 3 * k] - 1);
        }
        i += 11;
    }
    return xyz;
}

// The vertex values of a display-list file, read from its text, divided by 10.
std::vector<float> valeursdufichier(const fs::path &chemin) {
    std::vector<float> xyz;
    std::istringstream lignes(golden::lire(chemin));
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        float v[3];
        if (std::sscanf(ligne.c_str(), "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f)",
                        &v[0], &v[1], &v[2]) == 3)
            for (float c : v) xyz.push_back(c / 10);
    }
    return xyz;
}

const char *MODELESANS = "Nombre_de_points: 6\n"
                         "Points: 0 10 20 30\nPoints: 1 -40 5 -7.5\nPoints: 2 33 -21 8\n"
                         "Points: 3 1 2 3\nPoints: 4 -9 -8 -7\nPoints: 5 45 -45 0.5\n"
                         "Faces: 0 0 1 2\nFaces: 1 3 4 5\n";
const char *MODELEAVEC = "Nombre_de_points: 6\n"
                         "Points: 0 1 2 3\nPoints: 1 -4 0.5 -0.75\nPoints: 2 3.3 -2.1 0.8\n"
                         "Points: 3 0.1 0.2 0.3\nPoints: 4 -0.9 -0.8 -0.7\nPoints: 5 4.5 -4.5 0.05\n"
                         "Textures: 0 0.5 0.5 0\n"
                         "Faces: 0 0 1 2\nFaces: 1 3 4 5\nFaceTextures: 1 0 0 0\nFaceTextures: 0 0 0 0\n";

} // namespace

TEST(Chargeur, DessineLesFacesDuFichierDansLOrdre) {
    for (const auto &[base, modele] : {std::pair{"sans", MODELESANS}, std::pair{"avec", MODELEAVEC}}) {
        const fs::path fichier = convertir(base, modele);
        const std::vector<float> attendu = valeursdufichier(fichier);
        ASSERT_EQ(attendu.size(), 18u) << base;
        const std::vector<float> obtenu = sommets(charger(fichier));
        ASSERT_EQ(obtenu.size(), attendu.size()) << base;
        // Window coordinates are quantised to the rasteriser's precision.
        for (size_t i = 0; i < attendu.size(); ++i)
            EXPECT_NEAR(obtenu[i], attendu[i], 1e-4) << base << i;
    }
}

TEST(Chargeur, DeuxFichiersDeuxListes) {
    const unsigned a = charger(convertir("sans", MODELESANS));
    const unsigned b = charger(convertir("sans", MODELESANS));
    EXPECT_NE(a, b);
    EXPECT_TRUE(glIsList(a) && glIsList(b));
}

// Damaged and foreign files load without a hang or a crash; every face they hold is drawn.
TEST(Chargeur, FichiersAbimes) {
    const std::string sans = golden::lire(convertir("sans", MODELESANS));
    const std::string avec = golden::lire(convertir("avec", MODELEAVEC));
    const std::string vide = golden::lire(convertir("vide", "Nombre_de_points: 0\n"));
    auto remplacer = [](std::string s, const std::string &de, const std::string &par) {
        return s.replace(s.find(de), de.size(), par);
    };
    const struct {
        const char *nom;
        std::string texte;
        size_t triangles;
    } cas[] = {
        {"sans faces", vide, 0},
        {"vide", "", 0},
        {"autre format", "int main() { return 0; }\n", 0},
        {"tronque dans une face", sans.substr(0, sans.size() / 2), 1},
        {"tronque dans une face texturee", avec.substr(0, avec.size() / 2), 1},
        {"sans terminateur", sans.substr(0, sans.find("FIFO_COMMAND_PACK(FIFO_END")), 2},
        {"terminateur sans virgule", remplacer(sans, "(FIFO_END,", "(FIFO_END"), 2},
        {"quatrieme mot inconnu", remplacer(sans, "FIFO_NOP),\nVERTEX", "FIFO_XYZ),\nVERTEX"), 0},
        {"entete rompu avant le compte", remplacer(sans, "u32 sans[] = {", "u32 sans[] {"), 0},
        {"entete rompu apres le compte", remplacer(sans, " GL_TRIANGLE,", " GL_QUAD,"), 0},
        {"compte nul", remplacer(sans, "{18,", "{0,"), 2},
        {"compte negatif", remplacer(avec, "{26,", "{-5,"), 2},
        {"compte trop petit texture", remplacer(avec, "{26,", "{3,"), 2},
        {"compte demesure", remplacer(avec, "{26,", "{2147483647,"), 2},
        {"compte hors limites", remplacer(sans, "{18,", "{99999999999999999999,"), 2},
        {"mot immense", remplacer(sans, "FIFO_NOP),\nVERTEX", std::string(300, 'W') + "\nVERTEX"), 0},
    };
    for (const auto &c : cas) EXPECT_EQ(sommets(chargertexte(c.texte)).size(), 9 * c.triangles) << c.nom;
}

TEST(Rendu, FondBleuSelectionNoireAutresBlancs) {
    idobjet[1] = static_cast<int>(charger(convertir("cube", golden::lire(EXEMPLES "/cube.txt"))));
    idobjet[2] = static_cast<int>(charger(convertir("pyramide", golden::lire(EXEMPLES "/pyramide.txt"))));
    nombreobjet = 2;
    reshape(640, 480);
    for (int selection : {1, 2}) {
        numero = selection;
        Display();
        glFinish();
        GLdouble modele[16], projection[16];
        GLint vue[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, modele);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, vue);
        // A point inside the cube (object 1) and one inside the pyramid (object 2).
        const double points[2][3] = {{-0.15, 0.4, -0.6}, {0.2, 0.4, -0.6}};
        // The pixels as the X server shows them.
        const fenetre::Image image = fenetre::capturercontexte();
        ASSERT_EQ(image.hauteur, 480);
        auto pixel = [&](int x, int y) { return image.pixel(x, image.hauteur - 1 - y); };
        for (int objet = 0; objet < 2; ++objet) {
            GLdouble x, y, z;
            gluProject(points[objet][0], points[objet][1], points[objet][2], modele, projection, vue, &x, &y, &z);
            const unsigned char *p = pixel(static_cast<int>(x), static_cast<int>(y));
            const int attendu = objet + 1 == selection ? 0 : 255;
            EXPECT_EQ(p[0], attendu) << selection << objet;
            EXPECT_EQ(p[1], attendu) << selection << objet;
            EXPECT_EQ(p[2], attendu) << selection << objet;
        }
        const unsigned char *coin = pixel(2, 2);
        EXPECT_EQ(coin[0] + coin[1], 0);
        EXPECT_EQ(coin[2], 255);
    }
}

TEST(Rendu, ReshapePoseLaPerspective) {
    for (const auto &[largeur, hauteur, aspect] : {std::tuple{800, 300, 800.0 / 300}, std::tuple{641, 481, 641.0 / 481},
                                                    std::tuple{640, 0, 640.0}}) {
        reshape(largeur, hauteur);
        EXPECT_EQ(WIDTH, largeur);
        EXPECT_EQ(HEIGHT, hauteur);
        GLint mode;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        const double f = 1 / std::tan(45.0 / 2 * M_PI / 180), proche = 0.1f, loin = 1000;
        const double attendu[16] = {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (loin + proche) / (proche - loin), -1,
                                    0, 0, 2 * loin * proche / (proche - loin), 0};
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], attendu[i], 1e-6 * std::fabs(attendu[i]) + 1e-12) << i;
    }
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    fenetre::ouvrirglut(argc, argv);
    initrendu();
    return RUN_ALL_TESTS();
}
