// The animator's routines in a real GLUT window with Mesa's OpenGL: the mouse look and the keys
// to the last bit of each float, a list name that cannot be had, the keyframe files' failures,
// the lists of meshpress's options drawn and read back from the window.
#include <GL/freeglut.h>
#include <array>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
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

// The lists of meshpress's options, spelled here as the DS takes them (GBATEK): a packed word of
// four command ids, the first in its low byte, then their parameter words; count word first.
using Commande = std::pair<uint32_t, std::vector<uint32_t>>;
static std::vector<uint32_t> mots(const std::vector<Commande> &commandes) {
    std::vector<uint32_t> m = {0};
    for (size_t i = 0; i < commandes.size(); i += 4) {
        uint32_t paquet = 0;
        for (size_t k = 0; k < 4 && i + k < commandes.size(); ++k) paquet |= commandes[i + k].first << 8 * k;
        m.push_back(paquet);
        for (size_t k = 0; k < 4 && i + k < commandes.size(); ++k) m.insert(m.end(), commandes[i + k].second.begin(), commandes[i + k].second.end());
    }
    m[0] = static_cast<uint32_t>(m.size() - 1);
    return m;
}

// The same words as the C text (a packed word and its parameters a line) or as a .bin.
static std::string ecrire(const std::vector<uint32_t> &m, bool binaire) {
    static const std::map<uint32_t, std::string> noms = {{0, "FIFO_NOP"}, {0x11, "FIFO_MATRIX_PUSH"}, {0x12, "FIFO_MATRIX_POP"},
        {0x1B, "FIFO_MATRIX_SCALE"}, {0x20, "FIFO_COLOR"}, {0x21, "FIFO_NORMAL"}, {0x22, "FIFO_TEX_COORD"}, {0x23, "FIFO_VERTEX16"},
        {0x24, "FIFO_VERTEX10"}, {0x25, "FIFO_VERTEX_XY"}, {0x26, "FIFO_VERTEX_XZ"}, {0x27, "FIFO_VERTEX_YZ"}, {0x28, "FIFO_VERTEX_DIFF"},
        {0x30, "FIFO_DIFFUSE_AMBIENT"}, {0x40, "FIFO_BEGIN"}, {0x41, "FIFO_END"}};
    static const std::map<uint32_t, size_t> parametres = {{0x12, 1}, {0x1B, 3}, {0x20, 1}, {0x21, 1}, {0x22, 1}, {0x23, 2}, {0x24, 1},
        {0x25, 1}, {0x26, 1}, {0x27, 1}, {0x28, 1}, {0x30, 1}, {0x40, 1}};
    std::string t = binaire ? "" : "/* meshpress --compacte : " + std::to_string(m[0]) + " mots apres le premier */\nu32 liste[] = {" + std::to_string(m[0]) + ",\n";
    for (size_t i = binaire ? 0 : 1; binaire && i < m.size(); ++i) t.append(reinterpret_cast<const char *>(&m[i]), 4);
    for (size_t i = 1; !binaire && i < m.size();) {
        size_t n = 0;
        t += "FIFO_COMMAND_PACK(";
        for (int k = 0; k < 4; ++k) {
            const uint32_t code = m[i] >> 8 * k & 0xFF;
            t += noms.at(code) + (k < 3 ? ", " : "),");
            n += parametres.count(code) ? parametres.at(code) : 0;
        }
        for (++i; n > 0 && i < m.size(); --n, ++i) t += "0x" + (std::ostringstream() << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << m[i]).str() + ",";
        t += "\n";
    }
    return binaire ? t : t + "};";
}

// The window's picture of the files as objects 1, 2..., object choisi selected, read back.
static std::vector<uint8_t> image(const std::vector<std::string> &fichiers, int choisi = 1) {
    remettre();
    nombreobjet = static_cast<int>(fichiers.size()), numero = choisi;
    for (int n = 1; n <= nombreobjet; ++n) {
        const std::string &nom = fichiers[static_cast<size_t>(n - 1)];
        FILE *f = std::fopen(nom.c_str(), "rb");
        Analyse a;
        idobjet[n] = static_cast<int>(chargerliste(f, a, false, nom.ends_with(".bin")));
        eclairee[n] = a.mots.eclairee, coloree[n] = a.mots.coloree;
        std::fclose(f);
    }
    reshape(640, 480);
    Display();
    glFinish();
    std::vector<uint8_t> pixels(640 * 480 * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int n = 1; n <= nombreobjet; ++n) glDeleteLists(static_cast<GLuint>(idobjet[n]), 1), eclairee[n] = coloree[n] = false;
    return pixels;
}

static std::string fichier(const std::string &nom, const std::string &contenu) {
    const std::string chemin = std::filesystem::temp_directory_path() / (std::to_string(getpid()) + nom);
    std::ofstream(chemin, std::ios::binary) << contenu;
    return chemin;
}

// The pixel at x, y from the window's top left.
static std::array<int, 3> pixel(const std::vector<uint8_t> &p, int x, int y) {
    const size_t i = 3 * static_cast<size_t>((479 - y) * 640 + x);
    return {p[i], p[i + 1], p[i + 2]};
}

// The cheapest exact command for a vertex in 4.12 units after the group's previous one, as
// GBATEK gives the commands: VTX_10 when 4.6 holds it, then a repeated coordinate, a difference
// of 10 bits, or VTX_16.
static Commande sommet(const std::array<int, 3> &v, const std::array<int, 3> *avant) {
    const auto dix = [](int a, int b, int c) { return static_cast<uint32_t>((a & 0x3FF) | (b & 0x3FF) << 10 | (c & 0x3FF) << 20); };
    const auto deux = [](int a, int b) { return static_cast<uint32_t>((a & 0xFFFF) | b << 16); };
    const auto court = [](int d) { return d >= -512 && d <= 511; };
    if (v[0] % 64 == 0 && v[1] % 64 == 0 && v[2] % 64 == 0 && court(v[0] / 64) && court(v[1] / 64) && court(v[2] / 64))
        return {0x24, {dix(v[0] / 64, v[1] / 64, v[2] / 64)}};
    if (avant == nullptr) return {0x23, {deux(v[0], v[1]), static_cast<uint32_t>(v[2] & 0xFFFF)}};
    const std::array<int, 3> &a = *avant;
    if (v[2] == a[2]) return {0x25, {deux(v[0], v[1])}};
    if (v[1] == a[1]) return {0x26, {deux(v[0], v[2])}};
    if (v[0] == a[0]) return {0x27, {deux(v[1], v[2])}};
    if (court(v[0] - a[0]) && court(v[1] - a[1]) && court(v[2] - a[2])) return {0x28, {dix(v[0] - a[0], v[1] - a[1], v[2] - a[2])}};
    return {0x23, {deux(v[0], v[1]), static_cast<uint32_t>(v[2] & 0xFFFF)}};
}

// A wavy grid, each row of cells one group of the DS's four kinds in turn, and the same triangles
// in the form without options: the two lists draw the same picture, pixel for pixel, the words as C text and
// as a .bin alike; every vertex command is used.
TEST(Listes, CompacteCommeAujourdhui) {
    const int NX = 40, NY = 24;
    const auto point = [](int i, int j) { return std::array<int, 3>{-2000 + 100 * i, 16384 - 1200 + 100 * j, -20480 + (i * i + j) % 3 * 37}; };
    std::vector<Commande> c;
    std::string aujourdhui;
    int triangles = 0, usages[0x29] = {};
    const auto triangle = [&](std::array<int, 3> a, std::array<int, 3> b, std::array<int, 3> d) {
        aujourdhui += "FIFO_COMMAND_PACK(FIFO_VERTEX16, FIFO_VERTEX16, FIFO_VERTEX16, FIFO_NOP),\n";
        for (const auto &v : {a, b, d}) {
            char ligne[160];
            std::snprintf(ligne, sizeof ligne, "VERTEX_PACK(floatov16(%.12f),floatov16(%.12f)),VERTEX_PACK(floatov16(%.12f),0),\n", v[0] / 4096.0, v[1] / 4096.0, v[2] / 4096.0);
            aujourdhui += ligne;
        }
        ++triangles;
    };
    for (int j = 0; j + 1 < NY; ++j) {
        const int type = j % 4;
        std::vector<std::array<int, 3>> suite;
        for (int i = 0; i + 1 < NX; ++i) {
            const auto bg = point(i, j), bd = point(i + 1, j), hg = point(i, j + 1), hd = point(i + 1, j + 1);
            if (type == 0) suite.insert(suite.end(), {hg, bg, hd, hd, bg, bd});
            if (type == 1) suite.insert(suite.end(), {bg, bd, hd, hg});
            if ((type == 2 || type == 3) && i == 0) suite.insert(suite.end(), {hg, bg});
            if (type == 2 || type == 3) suite.insert(suite.end(), {hd, bd});
            if (type == 1) triangle(bg, bd, hd), triangle(bg, hd, hg);
            else triangle(hg, bg, hd), triangle(hd, bg, bd);
        }
        c.push_back({0x40, {static_cast<uint32_t>(type)}});
        for (size_t k = 0; k < suite.size(); ++k) c.push_back(sommet(suite[k], k > 0 ? &suite[k - 1] : nullptr)), ++usages[c.back().first];
    }
    c.push_back({0x41, {}});
    for (const int code : {0x23, 0x24, 0x25, 0x26, 0x27, 0x28}) EXPECT_GT(usages[code], 0) << code;
    aujourdhui = "u32 grille[] = {" + std::to_string(3 + 7 * triangles + 1) + ",\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n GL_TRIANGLE,\n" +
                 aujourdhui + "FIFO_COMMAND_PACK(FIFO_END, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};";
    const auto m = mots(c);
    const auto attendu = image({fichier("grille.h", aujourdhui)});
    EXPECT_GT(std::count(attendu.begin(), attendu.end(), 0) - 640 * 480 * 2, 5000); // the grid in black on blue
    for (const bool binaire : {false, true}) EXPECT_TRUE(image({fichier(binaire ? "grille.bin" : "compacte.h", ecrire(m, binaire))}) == attendu) << binaire;
}

// A sphere with a normal at each vertex (1.9 fixed point, 511/512 at most), drawn at its size and
// at half its size under MTX_SCALE 2: lit from the upper left, dark at the lower right where the
// light does not reach, only the material's ambient (8/31 of white) there.
TEST(Listes, SphereEclairee) {
    for (const int echelle : {1, 2}) {
        const double R = 6144.0 / echelle, PI = std::acos(-1.0);
        std::vector<Commande> c;
        if (echelle == 2) c.push_back({0x11, {}}), c.push_back({0x1B, {8192, 8192, 8192}});
        const auto champ = [](double v) { return static_cast<uint32_t>(std::clamp(static_cast<int>(std::lround(v * 512)), -512, 511) & 0x3FF); };
        for (int i = 0; i < 24; ++i) {
            c.push_back({0x40, {2}});
            for (int k = 0; k <= 32; ++k)
                for (const int b : {i, i + 1}) {
                    const double t = PI * b / 24, p = 2 * PI * k / 32, n[3] = {std::sin(t) * std::cos(p), std::cos(t), std::sin(t) * std::sin(p)};
                    c.push_back({0x21, {champ(n[0]) | champ(n[1]) << 10 | champ(n[2]) << 20}});
                    const int x = static_cast<int>(R * n[0]), y = static_cast<int>(16384 / echelle + R * n[1]), z = static_cast<int>(-24576 / echelle + R * n[2]);
                    c.push_back({0x23, {static_cast<uint32_t>((x & 0xFFFF) | y << 16), static_cast<uint32_t>(z & 0xFFFF)}});
                }
        }
        c.push_back({0x41, {}});
        if (echelle == 2) c.push_back({0x12, {1}});
        const auto p = image({fichier("sphere.h", ecrire(mots(c), false))}, 0);
        const auto hg = pixel(p, 220, 140), centre = pixel(p, 320, 240), bd = pixel(p, 420, 340);
        for (const auto &v : {hg, centre, bd}) EXPECT_TRUE(v[0] == v[1] && v[1] == v[2]) << v[0] << " " << v[1] << " " << v[2];
        EXPECT_GT(hg[0], 235);
        EXPECT_GT(hg[0], centre[0] + 40);
        EXPECT_GT(centre[0], bd[0] + 40);
        EXPECT_NEAR(bd[0], 8 * 255 / 31, 2);
        EXPECT_EQ(pixel(p, 320, 240 - 160), (std::array<int, 3>{0, 0, 255})) << echelle; // the background beyond its edge
    }
}

// A triangle red by COLOR and one green by DIF_AMB's diffuse taken as the vertex colour (bit
// 15), unlit: drawn in their colours, selected or not; the selection draws black edges only.
TEST(Listes, Couleurs) {
    const auto v = [](int x, int y) { return Commande{0x23, {static_cast<uint32_t>((x & 0xFFFF) | (16384 + y) << 16), static_cast<uint32_t>(-20480 & 0xFFFF)}}; };
    const auto m = mots({{0x40, {0}}, {0x20, {0x001F}}, v(-3000, -1500), v(-500, -1500), v(-1750, 1500),
                         {0x30, {0x03E0 | 0x8000 | 0x0100u << 16}}, v(500, -1500), v(3000, -1500), v(1750, 1500), {0x41, {}}});
    const std::string liste = fichier("couleurs.h", ecrire(m, false));
    for (const int choisi : {0, 1}) {
        const auto p = image({liste}, choisi);
        EXPECT_EQ(pixel(p, 320 - 42, 240), (std::array<int, 3>{255, 0, 0}));
        EXPECT_EQ(pixel(p, 320 + 42, 240), (std::array<int, 3>{0, 255, 0}));
        long noirs = 0;
        for (size_t i = 0; i + 2 < p.size(); i += 3) noirs += p[i] == 0 && p[i + 1] == 0 && p[i + 2] == 0;
        EXPECT_EQ(noirs > 200, choisi == 1) << noirs;
    }
}

// Files that depart from the form, read whole and safely: what is said, what is drawn, and the
// matrix stack left as found.
TEST(Listes, FichiersAbimes) {
    const std::string entete = "/* meshpress --compacte : 5 mots apres le premier */\nu32 l[] = {5,\n",
                      triangle = "FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_VERTEX10, FIFO_VERTEX10, FIFO_VERTEX10),0x00000000,0x00000001,0x00000400,0x00100000,\n";
    const auto bin = [](std::vector<uint32_t> m) { return std::string(reinterpret_cast<const char *>(m.data()), 4 * m.size()); };
    const struct {
        std::string contenu;
        bool binaire;
        long long compte, presents, triangles;
        std::string raison;
    } cas[] = {
        {entete + triangle + "};\n", false, 5, 5, 1, ""},
        {entete + triangle, false, 5, 5, 1, "ligne 4 : FIFO_COMMAND_PACK( ou }; attendu"},
        {"/* meshpress\nu32 l[] = {0,\n};", false, -1, 0, 0, "ligne 1 : \"*/\" a la fin de la premiere ligne attendu"},
        {entete + "FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_XYZ, FIFO_NOP, FIFO_NOP),0x00000000,\n};", false, 5, 0, 0, "ligne 3 : le nom d'une commande"},
        {entete + "FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};", false, 5, 0, 0, "ligne 3 : un mot de parametre"},
        {entete + triangle + "};x", false, 5, 5, 1, "ligne 4 : }; puis la fin du fichier attendu"},
        {bin({8, 0x24242440, 0, 1, 0x400, 0x100000, 0x121111, 1, 0x41}), true, 8, 8, 1, ""},
        {bin({1, 0x99}), true, 1, 1, 0, "mot 1 : 0x99 n'est pas une commande"},
        {bin({2, 0x2340, 0}), true, 2, 2, 0, "mot 1 : FIFO_VERTEX16 prend 2 mots de parametre"},
        {bin({9, 0x1B111140, 0, 4096, 4096, 4096, 0x242424, 1, 0x400}).substr(0, 30), true, 9, 6, 0, "30 octets, pas un nombre entier"},
        {"", true, -1, 0, 0, "le fichier est vide"},
    };
    for (const auto &c : cas) {
        FILE *f = fmemopen(const_cast<char *>(c.contenu.data()), c.contenu.size(), "rb");
        if (c.contenu.empty()) f = std::fopen("/dev/null", "rb");
        Analyse a;
        while (glGetError() != GL_NO_ERROR) continue;
        const GLuint liste = chargerliste(f, a, false, c.binaire);
        std::fclose(f);
        GLint avant = 0, apres = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &avant);
        glCallList(liste);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &apres);
        glDeleteLists(liste, 1);
        EXPECT_EQ(avant, apres) << c.contenu;
        EXPECT_TRUE(a.nouvelle) << c.contenu;
        EXPECT_EQ(a.mots.compte, c.compte) << c.contenu;
        EXPECT_EQ(a.mots.presents, c.presents) << c.contenu;
        EXPECT_EQ(a.triangles, c.triangles) << c.contenu;
        EXPECT_EQ(std::string(a.mots.raison).rfind(c.raison, 0), 0u) << c.contenu << " : " << a.mots.raison;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.contenu;
    }
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
    glutInitWindowSize(640, 480);
    glutCreateWindow("stagehand");
    // The window shown, so that its pixels can be read back.
    glutDisplayFunc([] {});
    for (int i = 0; i < 10; ++i) glutMainLoopEvent(), usleep(20000);
    initrendu();
    return RUN_ALL_TESTS();
}
