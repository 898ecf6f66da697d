// The animator's routines in a real GLUT window with Mesa's OpenGL: the mouse look and the keys
// to the last bit of each float, a list name that cannot be had, the keyframe files' failures.
#include <GL/freeglut.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <gtest/gtest.h>

#include "chargeur.h"
#include "controles.h"
#include "imagescles.h"
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
        EXPECT_EQ(*variables.at(variable), std::strtof(valeur.c_str(), nullptr)) << ligne;
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

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("stagehand");
    return RUN_ALL_TESTS();
}
