// The animator's routines in a real GLUT window with Mesa's OpenGL: the mouse look and the keys
// to the last bit of each float, a list name that cannot be had, the keyframe files' failures.
#include <GL/freeglut.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <gtest/gtest.h>

#include "chargeur.h"
#include "controles.h"
#include "imagescles.h"
#include "relecture.h"
#include "scene.h"

static void remettre() {
    WIDTH = 640, HEIGHT = 480, mode = nombre = 0, numero = nombreobjet = 1;
    emplacementx = emplacementz = viseex = viseey = tour = toury = 0, emplacementy = 0.4f, viseez = -1;
    std::memset(translate, 0, sizeof translate), std::memset(rotate, 0, sizeof rotate);
}

// Without a list name to be had (asked inside glBegin), nothing is drawn into the frame.
TEST(Chargeur, SansNomDeListe) {
    FILE *f = std::fopen(OBJET, "r");
    glMatrixMode(GL_PROJECTION);
    glOrtho(-1e4, 1e4, -1e4, 1e4, -1e4, 1e4); // the file's triangle inside the view
    std::vector<GLfloat> tampon(4096);
    glFeedbackBuffer(static_cast<GLsizei>(tampon.size()), GL_3D, tampon.data());
    glRenderMode(GL_FEEDBACK);
    glBegin(GL_TRIANGLES);
    Analyse analyse;
    EXPECT_EQ(chargerliste(f, analyse), 0u);
    glEnd();
    EXPECT_EQ(glRenderMode(GL_RENDER), 0);
    std::fclose(f);
}

// A file of another layout (today's libnds names) whose first face line names the untextured
// variant: the loader takes what it can and stops; it never loops on a line it cannot read.
TEST(Chargeur, AutreMiseEnPage) {
    static long sommets = 0;
    FILE *f = std::fopen(DONNEES "/autre_mise_en_page.h", "r"), *console = std::fopen("/dev/null", "w");
    analyserliste(f, [](float, float, float) {
        if (++sommets < 1000000) return;
        std::fputs("the loader loops on a line it cannot read\n", stderr);
        std::abort();
    }, console);
    EXPECT_LE(sommets, 3);
    std::fclose(f), std::fclose(console);
}

// A value of the table: a float, or [-]sin(a), cos(a) or tan(a), the C library's double function
// of the float a, with its sign, rounded to float.
static float attendu(const std::string &valeur) {
    const bool moins = valeur[0] == '-';
    const size_t parenthese = valeur.find('(');
    if (parenthese == std::string::npos) return std::strtof(valeur.c_str(), nullptr);
    const std::string fonction = valeur.substr(moins, parenthese - moins);
    const double a = std::strtof(valeur.c_str() + parenthese + 1, nullptr);
    const double v = fonction == "sin" ? std::sin(a) : fonction == "cos" ? std::cos(a) : std::tan(a);
    return static_cast<float>(moins ? -v : v);
}

TEST(Controles, SourisEtTouches) {
    float selection;
    const std::map<std::string, float *> variables = {
        {"tour", &tour}, {"toury", &toury}, {"viseex", &viseex}, {"viseey", &viseey}, {"viseez", &viseez},
        {"emplacementx", &emplacementx}, {"emplacementy", &emplacementy}, {"emplacementz", &emplacementz},
        {"translate[0]", &translate[1][0]}, {"translate[1]", &translate[1][1]}, {"translate[2]", &translate[1][2]},
        {"rotate[0]", &rotate[1][0]}, {"rotate[1]", &rotate[1][1]}, {"rotate[2]", &rotate[1][2]}, {"numero", &selection}};
    std::ifstream cas(DONNEES "/controles.txt");
    std::string actions, variable, valeur;
    for (std::string ligne; std::getline(cas, ligne);) {
        if (ligne[0] == '#' || !(std::istringstream(ligne) >> actions >> variable >> valeur)) continue;
        remettre();
        for (const char *a = actions.c_str(); *a; ++a) {
            int x = 0, y = 0, n = 1, lus = 0;
            if (*a == '@' || *a == '#') std::sscanf(a + 1, "%d,%d%n*%d%n", &x, &y, &lus, &n, &lus);
            if (*a == '%') nombreobjet = *++a - '0';
            for (int i = 0; i < n; ++i)
                *a == '@' ? motion(x, y) : *a == '#' ? reshape(x, y) : *a == '_' || *a == '%' ? void() : Clavier(static_cast<unsigned char>(*a), 0, 0);
            a += lus;
        }
        selection = static_cast<float>(numero);
        EXPECT_EQ(*variables.at(variable), attendu(valeur)) << ligne;
    }
}

// The third keyframe file cannot be made: the two made stay, empty, and are let go.
TEST(ImagesCles, EchecLaisseAllerLesFichiers) {
    namespace fs = std::filesystem;
    const fs::path d = fs::temp_directory_path() / ("stagehand-" + std::to_string(getpid()));
    fs::create_directories(d / "x2.txt");
    nombreobjet = 5;
    const auto ouverts = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto avant = ouverts();
    EXPECT_FALSE(creerfichiers((d / "x").c_str()));
    EXPECT_EQ(ouverts(), avant);
    fs::remove_all(d);
}

// A first run and three more on one base name: each earlier file, the camera's too, is kept as
// the next numbered copy, byte for byte; no copy is replaced.
TEST(ImagesCles, GenerationsGardees) {
    namespace fs = std::filesystem;
    const fs::path d = fs::temp_directory_path() / ("generations-" + std::to_string(getpid()));
    fs::create_directories(d);
    const auto lire = [](const fs::path &f) {
        std::ifstream e(f, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(e), {});
    };
    remettre();
    std::vector<std::string> objets, vues;
    for (int seance = 0; seance < 4; ++seance) {
        nombre = 0, translate[1][0] = static_cast<float>(seance), emplacementz = static_cast<float>(-seance);
        ASSERT_TRUE(creerfichiers((d / "x").c_str()));
        enregistrerposition();
        fermerfichiers();
        objets.push_back(lire(d / "x0.txt")), vues.push_back(lire(d / "x_camera.txt"));
    }
    for (int g = 1; g <= 3; ++g) {
        EXPECT_EQ(lire(d / ("x0.txt.~" + std::to_string(g) + "~")), objets[static_cast<size_t>(g - 1)]);
        EXPECT_EQ(lire(d / ("x_camera.txt.~" + std::to_string(g) + "~")), vues[static_cast<size_t>(g - 1)]);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(d), {}), 8);
    fs::remove_all(d);
}

// Keyframe files read back: what the writer's formats make is taken, keyframe by keyframe, and
// anything else is refused. "B(n, x)" stands for the block of keyframe n as "%f" prints the pose
// (x, 0.25, -1) and angles (90, -1, x).
TEST(Relecture, FichiersCles) {
    const auto bloc = [](int n, float x) {
        char t[400];
        std::snprintf(t, sizeof t, "%sif(nombre == %d){\nglTranslate3f32(floatof32(%f),floatof32(%f), floatof32(%f));\n"
                      "glRotateX(%f);\nglRotateY(%f);\nglRotateZ(%f);\n}\n", n == 1 ? "" : "else ", n, x, 0.25, -1.0, 90.0, -1.0, x);
        return std::string(t);
    };
    const std::string entete = "void position3(int nombre){\n", deux = entete + bloc(1, 1.5f) + bloc(2, -1e-7f);
    const struct {
        std::string texte;
        int images; // -1: refused
        long long fin;
        float x;
    } cas[] = {
        {"", 0, 0, 0},
        {"}\n", 0, 0, 0},
        {deux + "}\n", 2, static_cast<long long>(deux.size()), -0.0f},
        {entete + bloc(1, 1234567.125f) + "}\n", 1, static_cast<long long>((entete + bloc(1, 1234567.125f)).size()), 1234567.125f},
        {deux, 2, static_cast<long long>(deux.size()), -0.0f}, // a run killed before Esc
        {entete + "}\n", -1, 0, 0},
        {entete, -1, 0, 0},
        {entete + bloc(2, 0) + "}\n", -1, 0, 0},
        {entete + bloc(1, 0) + bloc(3, 0) + "}\n", -1, 0, 0},
        {entete + bloc(1, 0) + bloc(1, 0) + "}\n", -1, 0, 0},
        {deux + "}\n}\n", -1, 0, 0},
        {deux + "}", -1, 0, 0},
        {deux.substr(0, deux.size() - 1), -1, 0, 0},
        {"}", -1, 0, 0},
        {"}\n\n", -1, 0, 0},
        {std::string("}\0x\n", 4), -1, 0, 0},
        {"void position03(int nombre){\n" + bloc(1, 0), -1, 0, 0},
        {"void position-3(int nombre){\n" + bloc(1, 0), -1, 0, 0},
        {"void position3(int nombre){\r\n" + bloc(1, 0), -1, 0, 0},
        {entete + "if(nombre == 1){\nglTranslate3f32(floatof32(1.5),floatof32(0.000000), floatof32(0.000000));\n", -1, 0, 0},
        {entete + "if(nombre == 1){\nglTranslate3f32(floatof32(1.500000),floatof32(0.000000),floatof32(0.000000));\n", -1, 0, 0},
        {entete + bloc(1, 0).substr(0, 40), -1, 0, 0},
        {entete + std::string(5000, 'x') + "\n", -1, 0, 0},
        {std::string(3, '\0'), -1, 0, 0},
    };
    for (const auto &c : cas) {
        FILE *f = fmemopen(const_cast<char *>(c.texte.data()), c.texte.size(), "rb");
        if (c.texte.empty()) f = std::fopen("/dev/null", "rb");
        Fichiercles lu;
        char raison[256] = "";
        const bool pris = lirefichiercles(f, lu, raison, sizeof raison);
        std::fclose(f);
        EXPECT_EQ(pris ? lu.images : -1, c.images) << c.texte << raison;
        EXPECT_EQ(pris, raison[0] == '\0') << c.texte;
        if (!pris || c.images == 0) continue;
        EXPECT_EQ(lu.fonction, 3);
        EXPECT_EQ(lu.fin, c.fin) << c.texte;
        EXPECT_EQ(lu.translation[0], c.x);
        EXPECT_TRUE(std::signbit(lu.translation[0]) == std::signbit(c.x)) << c.texte;
        EXPECT_EQ(lu.translation[1], 0.25f);
        EXPECT_EQ(lu.translation[2], -1.0f);
        EXPECT_EQ(lu.rotation[0], 90.0f);
        EXPECT_EQ(lu.rotation[1], -1.0f);
        EXPECT_EQ(lu.rotation[2], c.x);
    }
}

// The camera's file read back: its projection lines exactly, and the view's angles only as
// "%.9g" prints a float, so that -r goes on from the very angles written.
TEST(Relecture, FichierCamera) {
    const std::string entete = "void camera(int nombre){\nglMatrixMode(GL_PROJECTION);\nglLoadIdentity();\n"
                               "gluPerspective(45, 256.0 / 192.0, 0.1, 1000);\nglMatrixMode(GL_MODELVIEW);\nglLoadIdentity();\n",
                      vue = "if(nombre == 1){\ngluLookAt(0.099833, 0.500000, 0.995004, 0.000000, 0.459979, 0.000000, 0, 1, 0); /* angles ";
    const struct {
        std::string texte;
        bool pris;
    } cas[] = {
        {entete + vue + "0.100000001 -0.0399999991 */\n}\n}\n", true},
        {entete + vue + "0.1 -0.0399999991 */\n}\n}\n", false},
        {entete + vue + "0.100000001  -0.0399999991 */\n}\n}\n", false},
        {entete + vue + "0x1.99999ap-4 -0.0399999991 */\n}\n}\n", false},
        {entete.substr(0, entete.size() - 18) + vue + "0.100000001 -0.0399999991 */\n}\n}\n", false},
    };
    for (const auto &c : cas) {
        FILE *f = fmemopen(const_cast<char *>(c.texte.data()), c.texte.size(), "rb");
        Fichiercles lu;
        char raison[256] = "";
        EXPECT_EQ(lirefichiercles(f, lu, raison, sizeof raison, true), c.pris) << c.texte << raison;
        std::fclose(f);
        if (!c.pris) continue;
        EXPECT_EQ(lu.images, 1);
        EXPECT_EQ(lu.vue[0], 0.099833f);
        EXPECT_EQ(lu.vue[6], 0.1f);
        EXPECT_EQ(lu.vue[7], -0.04f);
    }
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("stagehand");
    return RUN_ALL_TESTS();
}
