#include "chargeur.h"

#include <GL/gl.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "commandes.h"
#include "lecture.h"
#include "messages.h"
#include "mot.h"
#include "scene.h"
#include "textures.h"

using namespace commandes;

namespace {

// The words of a face's last command line that the faces are told by: its fourth word names the
// file's variant, its first ends the faces.
constexpr Texte MOTSANSTEXTURE = joindre({nom(NOP), "),"});
constexpr Texte MOTTEXTURE = joindre({nom(VTX_16), "),"});
constexpr Texte MOTFIN = joindre({nom(END_VTXS), ","});
// What follows the three words an untextured face's command line is read by.
constexpr Texte SUITESANSTEXTURE = joindre({" ", nom(NOP), "),\n"});

// The scratch buffer of one file: the count word sizes it as 5 slots per element, but only as
// a hint. A count too small, missing or absurdly large never sizes it blindly: it holds at
// least one face and at most this many slots.
constexpr long long MINSLOTS = 9;
constexpr long long MAXSLOTS = 1 << 24;
float secours[MINSLOTS];

struct Tampon {
    float *slots;
    long long taille;
};

Tampon creertampon(long long compte, bool comptelu) {
    long long taille = MINSLOTS;
    if (comptelu && compte >= 3) taille = compte > MAXSLOTS / 5 ? MAXSLOTS : 5 * compte;
    if (taille < MINSLOTS) taille = MINSLOTS;
    auto *slots = static_cast<float *>(std::calloc(static_cast<size_t>(taille), sizeof(float)));
    if (slots != nullptr) return {slots, taille};
    std::memset(secours, 0, sizeof secours);
    return {secours, MINSLOTS};
}

void liberertampon(Tampon &t) {
    if (t.slots != secours) std::free(t.slots);
}

// The end-test word: "a" (a null pointer) until a scan assigns a word of any length, which
// glibc's "%ms" allocates.
const char *texte(const char *fin) {
    return fin != nullptr ? fin : "a";
}

bool est(const char *fin, const char *attendu) {
    return std::strcmp(texte(fin), attendu) == 0;
}

// "%*s": a word read over.
bool passermot(Lecteur &l) {
    char rien[1];
    return lireitem(l, rien, sizeof rien) >= 0;
}

void remplacer(char *&fin, char *nouveau) {
    if (nouveau == nullptr) return;
    std::free(fin);
    fin = nouveau;
}

// A face's three vertices, each after its texture pair when there are pairs to hand.
void emettre(Sommet sommet, const float *slots, long long &triangles, Paire paire = nullptr,
             const float *paires = nullptr) {
    for (int k = 0; k < 3; ++k) {
        if (paire != nullptr) paire(paires[2 * k], paires[2 * k + 1]);
        sommet(slots[3 * k] / 10, slots[3 * k + 1] / 10, slots[3 * k + 2] / 10);
    }
    ++triangles;
}

// A pass of a face loop must move through the file: a file of another layout leaves every
// scan stuck at the same character, and such a pass adds no triangle and ends the loop.
// The next face's slots; reused from the start when the next face would not fit.
long long suivant(long long p, long long pas, const Tampon &t) {
    p += pas;
    return p + 9 > t.taille ? 0 : p;
}

void facessanstexture(Lecteur &l, Tampon &t, char *&fin, Sommet sommet, long long &triangles) {
    for (long long p = 0;; p = suivant(p, 9, t)) {
        const long long avant = position(l);
        float *face = t.slots + p;
        lirevertex(l, face);
        lirevertex(l, face + 3);
        lirevertex(l, face + 6);
        lirecommandes(l, fin, SUITESANSTEXTURE.c);
        if (position(l) == avant) return;
        emettre(sommet, face, triangles);
        if (est(fin, MOTFIN.c) || l.epuise) return;
    }
}

void facesavectexture(Lecteur &l, Tampon &t, char *&fin, Sommet sommet, Paire paire,
                      long long &triangles) {
    // A pair that does not scan keeps the one before, as a slot does.
    float paires[6] = {};
    for (long long p = 0;; p = suivant(p, 3, t)) {
        const long long avant = position(l);
        float *face = t.slots + p;
        lirecoordtexture(l, paires);
        lirevertex(l, face);
        lirecoordtexture(l, paires + 2);
        lirevertex(l, face + 3);
        correspondre(l, PAQUETTEXTURE3.c);
        lirecoordtexture(l, paires + 4);
        lirevertex(l, face + 6);
        lirecommandes(l, fin, " ") && passermot(l) && correspondre(l, "\n");
        if (position(l) == avant) return;
        emettre(sommet, face, triangles, paire, paires);
        if (est(fin, MOTFIN.c) || l.epuise) return;
    }
}

} // namespace

// The vertex line "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n"
// into three slots; a part that does not match ends the line's reading where it stands.
bool lirevertex(Lecteur &l, float *slots) {
    return correspondre(l, SOMMETX) && lirereel(l, slots[0]) && correspondre(l, SOMMETY) &&
           lirereel(l, slots[1]) && correspondre(l, SOMMETZ) && lirereel(l, slots[2]) &&
           correspondre(l, SOMMETFIN);
}

// "TEXTURE_PACK(floatot16(%f),floatot16(%f)),\n": the texture pair, read over without paire.
bool lirecoordtexture(Lecteur &l, float *paire) {
    float ignore[2];
    float *const destination = paire != nullptr ? paire : ignore;
    return correspondre(l, TEXTURE1) && lirereel(l, destination[0]) && correspondre(l, TEXTURE2) &&
           lirereel(l, destination[1]) && correspondre(l, TEXTUREFIN);
}

// "FIFO_COMMAND_PACK(%ms %*s %*s" then the text suite: the first word replaces the end-test
// word. Returns whether it all matched.
bool lirecommandes(Lecteur &l, char *&fin, const char *suite) {
    char *mot = nullptr;
    const bool lu = correspondre(l, PAQUET) && (mot = liremot(l)) != nullptr &&
                    correspondre(l, " ") && passermot(l) && correspondre(l, " ") && passermot(l) &&
                    correspondre(l, suite);
    remplacer(fin, mot);
    return lu;
}

Analyse analyserliste(FILE *f, Sommet sommet, FILE *console, Paire paire) {
    Lecteur l;
    ouvrirlecteur(l, f);
    // "u32 %*s = {%lli,\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n
    // GL_TRIANGLE,\nFIFO_COMMAND_PACK(%*s %*s %*s %ms\n": the count word, then the fourth word
    // of the first face's command line.
    int32_t compte = 0;
    bool comptelu = false;
    char *fin = nullptr;
    char *quatrieme = nullptr;
    correspondre(l, "u32 ") && passermot(l) && correspondre(l, " = {") &&
        (comptelu = lireentier(l, compte)) && correspondre(l, FINENTETE.c) &&
        correspondre(l, PAQUET) && passermot(l) && correspondre(l, " ") && passermot(l) &&
        correspondre(l, " ") && passermot(l) && correspondre(l, " ") &&
        (quatrieme = liremot(l)) != nullptr &&correspondre(l, "\n");
    Analyse analyse = {};
    analyse.entete = quatrieme != nullptr;
    remplacer(fin, quatrieme);
    std::snprintf(analyse.mot, sizeof analyse.mot, "%s",
                  montrer(texte(fin), std::strlen(texte(fin))));
    // A file that cannot be read is reported by the caller, not as a word naming no variant.
    if (std::ferror(f)) {
        std::free(fin);
        return analyse;
    }
    Tampon tampon = creertampon(compte, comptelu);
    analyse.texturee = est(fin, MOTTEXTURE.c);
    analyse.variante = est(fin, MOTSANSTEXTURE.c) || analyse.texturee;
    if (est(fin, MOTSANSTEXTURE.c)) {
        facessanstexture(l, tampon, fin, sommet, analyse.triangles);
    } else if (est(fin, MOTTEXTURE.c)) {
        facesavectexture(l, tampon, fin, sommet, paire, analyse.triangles);
    } else {
        // A word naming no variant is shown, and the object gets no triangles.
        std::fprintf(console, "%s", texte(fin));
    }
    liberertampon(tampon);
    std::free(fin);
    return analyse;
}

namespace {

bool coordonneesdemandees = false;

// The DS's default material, which eclairer() of meshpress.h sets too: diffuse RGB15(24, 24, 24),
// ambient RGB15(8, 8, 8), neither specular nor emission.
void matiere(const float *diffuse, const float *ambiante) {
    const float d[4] = {diffuse[0], diffuse[1], diffuse[2], 1},
                a[4] = {ambiante[0], ambiante[1], ambiante[2], 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, d);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, a);
}

// A command of a list of meshpress's options, into the display list being compiled.
void compiler(Code code, const float *v) {
    static const GLenum TYPES[] = {GL_TRIANGLES, GL_QUADS, GL_TRIANGLE_STRIP, GL_QUAD_STRIP};
    switch (code) {
    case BEGIN_VTXS: glBegin(TYPES[static_cast<int>(v[0])]); break;
    case END_VTXS: glEnd(); break;
    case VTX_16: glVertex3f(v[0], v[1], v[2]); break;
    case NORMAL: glNormal3f(v[0], v[1], v[2]); break;
    case COLOR: glColor3f(v[0], v[1], v[2]); break;
    case DIF_AMB:
        matiere(v, v + 3);
        // The DS takes the diffuse as the vertex colour, for the vertices no normal lights.
        if (v[6] != 0) glColor3f(v[0], v[1], v[2]);
        break;
    case TEXCOORD:
        if (coordonneesdemandees) glTexCoord2f(v[0], v[1]);
        break;
    case MTX_PUSH: glPushMatrix(); break;
    case MTX_POP: glPopMatrix(); break;
    case MTX_SCALE: glScalef(v[0], v[1], v[2]); break;
    default: break;
    }
}

} // namespace

unsigned chargerliste(FILE *f, Analyse &analyse, bool coordonnees, bool binaire) {
    analyse = {};
    analyse.entete = analyse.variante = true;
    const GLuint liste = glGenLists(1);
    // No name to be had: the object gets no list rather than drawing into the current frame.
    if (liste == 0) return 0;
    glNewList(liste, GL_COMPILE);
    // The lists without options start "u32", the C text of the options with its comment: one
    // character tells them apart, and goes back to the stream.
    const int premier = binaire ? EOF : std::getc(f);
    if (premier != EOF) std::ungetc(premier, f);
    if (binaire || premier == '/') {
        analyse.nouvelle = binaire || liretexte(f, analyse.mots);
        if (binaire) lirebinaire(f, analyse.mots);
    }
    if (analyse.nouvelle) {
        static const float DIFFUSE[3] = {24.0f / 31, 24.0f / 31, 24.0f / 31},
                           AMBIANTE[3] = {8.0f / 31, 8.0f / 31, 8.0f / 31};
        matiere(DIFFUSE, AMBIANTE);
        coordonneesdemandees = coordonnees;
        interpreter(analyse.mots, compiler);
        analyse.triangles = analyse.mots.triangles;
        analyse.texturee = analyse.mots.texturee;
    } else if (premier == '/') {
        // Not a list of meshpress at all: said as for any such file, "a" on the console.
        analyse.entete = analyse.variante = false;
        std::snprintf(analyse.mot, sizeof analyse.mot, "a");
        std::fputs("a", stdout);
    } else {
        glBegin(GL_TRIANGLES);
        analyse = analyserliste(f, glVertex3f, stdout, coordonnees ? coordtexture : nullptr);
        glEnd();
    }
    glEndList();
    return liste;
}

namespace {

// What a file that opened gave, when it is not what the user meant.
void direanalyse(const char *nom, int objet, const Analyse &a) {
    const Lecturemots &m = a.mots;
    // The second line on the object follows the first.
    const bool compte = a.nouvelle && m.compte >= 0 && m.compte != m.presents;
    if (compte)
        signaler("stagehand", true,
                 "%s : son mot de compte dit %lld mots apres lui, le fichier en a %lld : l'objet %d "
                 "est dessine avec les %lld premiers.",
                 nom, static_cast<long long>(m.compte), static_cast<long long>(m.presents), objet,
                 static_cast<long long>(m.compte < m.presents ? m.compte : m.presents));
    if (a.nouvelle && m.raison[0] != '\0')
        signaler("stagehand", !compte, "%s : %s ; l'objet %d est dessine avec ce qui precede.", nom,
                 m.raison, objet);
    if (!a.entete)
        signaler("stagehand", true,
                 "%s n'est pas une liste d'affichage de meshpress : son en-tete n'est pas celui du "
                 "format (un modele se convertit d'abord avec meshpress) ; l'objet %d n'a aucun "
                 "triangle.",
                 nom, objet);
    else if (!a.variante)
        signaler("stagehand", true,
                 "%s : %s, le quatrieme mot de sa premiere ligne de face, ne nomme aucune variante "
                 "(FIFO_NOP), sans texture, ou FIFO_VERTEX16), avec) ; l'objet %d n'a aucun "
                 "triangle.",
                 nom, a.mot, objet);
    else if (a.triangles == 0)
        signaler("stagehand", false, "%s ne donne aucun triangle : l'objet %d ne se verra pas.",
                 nom, objet);
}

} // namespace

bool chargement() {
    int reponse = 1;
    for (int n = 1;; ++n) {
        std::fputs("nom du fichier (avec extention) : ", stdout);
        std::fflush(stdout);
        char nom[256];
        const long longueur = lirenom(nom, sizeof nom);
        if (longueur < 0) {
            signaler("stagehand", true,
                     "la console s'est fermee avant le nom du fichier ; le programme s'arrete.");
            return false;
        }
        if (longueur >= static_cast<long>(sizeof nom)) {
            char raison[64];
            std::snprintf(raison, sizeof raison, "%ld caracteres, %zu au plus sont permis",
                          longueur, sizeof nom - 1);
            echec("stagehand", "le nom du fichier %s a %s.", montrer(nom, sizeof nom), raison);
            return false;
        }
        FILE *f = ouvrirlecture(nom);
        if (f == nullptr) {
            echec("stagehand", "impossible d'ouvrir %s : %s.", nom, raisonsysteme(errno));
            return false;
        }
        std::strcpy(nomobjet[n], nom);
        Analyse analyse;
        errno = 0;
        const size_t l = std::strlen(nom);
        const bool binaire = l >= 4 && std::strcmp(nom + l - 4, ".bin") == 0;
        idobjet[n] = static_cast<int>(chargerliste(f, analyse, texturesdemandees, binaire));
        eclairee[n] = analyse.mots.eclairee;
        coloree[n] = analyse.mots.coloree;
        // A read error (a bad disk) would leave the object cut short: as for a file that
        // cannot be opened.
        const int raisonlecture = errno;
        if (std::ferror(f) != 0) {
            std::fclose(f);
            echec("stagehand", "lecture impossible de %s : %s.", nom, raisonsysteme(raisonlecture));
            return false;
        }
        direanalyse(nom, n, analyse);
        // The list still open: the image given for it on the command line is found by the file.
        if (texturesdemandees) chargertexture(n, f, nom, analyse.texturee);
        std::fclose(f);
        std::fputs("un autre ? 0 pour non, 1 pour oui", stdout);
        std::fflush(stdout);
        if (lireentierconsole(stdin, reponse) == EOF) {
            signaler("stagehand", true,
                     "la console s'est fermee avant la reponse ; le programme s'arrete.");
            return false;
        }
        if (reponse == 0) {
            nombreobjet = n;
            finirtextures();
            return true;
        }
        if (n == MAXOBJETS) {
            std::puts("nombre maximal d'objets atteint (99)");
            nombreobjet = n;
            finirtextures();
            return true;
        }
    }
}
