// The mouse look, the keys and the keyframe files, called as GLUT calls them in a real window.
// Expected floats are the exact values of the documented arithmetic (hexadecimal literals).
#include <GL/freeglut.h>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "controles.h"
#include "fenetre.h"
#include "golden.h"
#include "imagescles.h"
#include "scene.h"

namespace fs = std::filesystem;

namespace {

void remettre(int objets = 1) {
    WIDTH = 640;
    HEIGHT = 480;
    emplacementx = 0, emplacementy = 0.4f, emplacementz = 0;
    viseex = 0, viseey = 0, viseez = -1;
    tour = toury = 0;
    mode = 0;
    numero = 1;
    nombre = 0;
    nombreobjet = objets;
    std::memset(translate, 0, sizeof translate);
    std::memset(rotate, 0, sizeof rotate);
}

void touches(const char *suite) {
    for (const char *k = suite; *k; ++k) Clavier(static_cast<unsigned char>(*k), 0, 0);
}

} // namespace

TEST(Souris, UnPasFixeParEvenement) {
    // One pixel or three hundred to the right: the same step, the double 0.1.
    for (int x : {321, 620}) {
        remettre();
        motion(x, 240);
        EXPECT_EQ(tour, -0x1.99999ap-4f) << x;
        EXPECT_EQ(toury, 0.0f);
        EXPECT_EQ(viseex, -0x1.98eaeep-4f);
        EXPECT_EQ(viseez, 0x1.fd713p-1f);
        EXPECT_EQ(viseey, 0.0f);
    }
    // Right then left does not come back to 0: the step is a double, tour a float.
    remettre();
    motion(400, 240);
    motion(10, 240);
    EXPECT_EQ(tour, -0x1.99999ap-30f);
    // Straight down: tour unchanged, but the whole direction is recomputed.
    remettre();
    motion(320, 300);
    EXPECT_EQ(tour, 0.0f);
    EXPECT_EQ(toury, -0x1.47ae14p-7f);
    EXPECT_EQ(viseex, 0.0f);
    EXPECT_EQ(viseez, 1.0f);
    EXPECT_EQ(viseey, -0x1.47b0ep-7f);
    // An event at the centre changes nothing; after a resize to 641 by 481 it is (320, 240).
    remettre();
    reshape(641, 481);
    motion(320, 240);
    EXPECT_EQ(viseez, -1.0f);
    motion(320, 239);
    EXPECT_EQ(toury, 0x1.47ae14p-7f);
    reshape(640, 480);
}

TEST(Souris, LaVerticaleDepasseLeQuartDeTour) {
    remettre();
    for (int i = 0; i < 157; ++i) motion(320, 100);
    EXPECT_EQ(toury, 0x1.91eb72p+0f);
    EXPECT_EQ(viseey, 0x1.397e24p+10f);
    motion(320, 100);
    EXPECT_EQ(toury, 0x1.947acep+0f);
    EXPECT_EQ(viseey, -0x1.b2a6aep+6f);
}

TEST(Clavier, VueTranslationRotation) {
    // View mode from the initial direction (0, 0, -1): a quarter of a unit.
    remettre();
    touches("z");
    EXPECT_EQ(emplacementz, -0.25f);
    EXPECT_EQ(emplacementx, 0.0f);
    remettre();
    touches("q");
    EXPECT_EQ(emplacementx, -0.25f);
    EXPECT_EQ(emplacementz, 0.0f);
    remettre();
    touches("d");
    EXPECT_EQ(emplacementx, 0.25f);
    remettre();
    touches("zqsd");
    EXPECT_EQ(emplacementy, 0.4f);
    // Four w from 0.4 with the double step 0.1.
    remettre();
    touches("wwww");
    EXPECT_EQ(emplacementy, 0x1.19999ap-26f);
    touches("x");
    EXPECT_EQ(emplacementy, static_cast<float>(0x1.19999ap-26 + 0.1));
    // Translation mode: a sixteenth, and the double 0.01 vertically; the camera stays.
    remettre(2);
    touches("+tzwq");
    EXPECT_EQ(translate[2][2], -0.0625f);
    EXPECT_EQ(translate[2][0], -0.0625f);
    EXPECT_EQ(translate[2][1], -0x1.47ae14p-7f);
    EXPECT_EQ(translate[1][0] + translate[1][1] + translate[1][2], 0.0f);
    EXPECT_EQ(emplacementz, 0.0f);
    // Rotation mode: one degree per key about X (z, s), Y (q, d) and Z (w, x).
    remettre(2);
    touches("rzzzsqqqdwwx");
    EXPECT_EQ(rotate[1][0], 2.0f);
    EXPECT_EQ(rotate[1][1], -2.0f);
    EXPECT_EQ(rotate[1][2], -1.0f);
    EXPECT_EQ(rotate[2][0] + rotate[2][1] + rotate[2][2], 0.0f);
    EXPECT_EQ(emplacementx + emplacementz, 0.0f);
    touches("v");
    EXPECT_EQ(mode, 0);
}

TEST(Clavier, SelectionEtMajuscules) {
    remettre(3);
    touches("-");
    EXPECT_EQ(numero, 3);
    touches("+");
    EXPECT_EQ(numero, 1);
    touches("++");
    EXPECT_EQ(numero, 3);
    remettre(1);
    touches("+-+");
    EXPECT_EQ(numero, 1);
    // 'Z' moves nothing, but the camera is aimed again on the current matrix.
    remettre();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(5, 5, 5);
    touches("Z");
    EXPECT_EQ(emplacementz, 0.0f);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const GLfloat vue[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -0.4f, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(m[i], vue[i]) << i;
}

TEST(ImagesCles, TroisImagesTroisObjets) {
    const fs::path d = fs::temp_directory_path() / ("cles-" + std::to_string(getpid()));
    fs::create_directories(d);
    remettre(3);
    ASSERT_TRUE(creerfichiers((d / "scene").c_str()));
    touches("\r");
    touches("r-q");
    translate[3][0] = -0.25f;
    rotate[3][0] = 90;
    touches("\r+x\r");
    // The keyframes are on disk before the files are closed.
    EXPECT_EQ(golden::lire(d / "scene2.txt") + "}\n", golden::lire(CAS "/scene2.txt"));
    fermerfichiers();
    fermerfichiers();
    for (const char *nom : {"scene0.txt", "scene1.txt", "scene2.txt"})
        EXPECT_EQ(golden::lire(d / nom), golden::lire(fs::path(CAS) / nom)) << nom;
    // Esc before any Enter: the closing brace alone.
    remettre(1);
    ASSERT_TRUE(creerfichiers((d / "vide").c_str()));
    fermerfichiers();
    EXPECT_EQ(golden::lire(d / "vide0.txt"), "}\n");
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    fenetre::ouvrirglut(argc, argv);
    return RUN_ALL_TESTS();
}
