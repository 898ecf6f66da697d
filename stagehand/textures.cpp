#include "textures.h"

#include <GL/gl.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lecture.h"
#include "messages.h"
#include "mot.h"
#include "scene.h"
#include "systeme.h"
#include "texels.h"

bool texturesdemandees = false;

namespace {

bool montrees = true;

// The images given on the command line, each for the list file it names.
struct Imagedonnee {
    const char *liste, *image;
    bool servie;
};
Imagedonnee donnees[MAXOBJETS];
int nombredonnees = 0;

// Each object's texture: its OpenGL name (0 for none) and its sides in texels.
struct Texture {
    unsigned nom;
    int largeur, hauteur;
};
Texture textures[MAXOBJETS + 1];

// The texture file read whole: the largest meshpress-texture writes (256 Ki texels, 7 characters
// each) is under 2 MiB.
constexpr size_t TAILLETEXTE = 4 << 20;
char texte[TAILLETEXTE + 1];

// The file's text, read from p.
struct Texte {
    const char *debut, *p, *fin;
};

bool lettre(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// White space and comments, as a C compiler skips them; a comment left open runs to the end.
void blancs(Texte &t) {
    for (;;) {
        while (t.p < t.fin && estblanc(*t.p))
            ++t.p;
        const size_t reste = static_cast<size_t>(t.fin - t.p);
        if (reste >= 2 && t.p[0] == '/' && t.p[1] == '*') {
            const char *fin = chercher(t.p + 2, reste - 2, "*/", 2);
            t.p = fin != nullptr ? fin + 2 : t.fin;
        } else if (reste >= 2 && t.p[0] == '/' && t.p[1] == '/') {
            const void *fin = std::memchr(t.p, '\n', reste);
            t.p = fin != nullptr ? static_cast<const char *>(fin) : t.fin;
        } else {
            return;
        }
    }
}

// The next token is the text: a punctuation, or a word that no letter of a longer one follows.
bool jeton(Texte &t, const char *attendu) {
    blancs(t);
    const size_t n = std::strlen(attendu);
    if (static_cast<size_t>(t.fin - t.p) < n || std::memcmp(t.p, attendu, n) != 0) return false;
    if (lettre(attendu[n - 1]) && t.p + n < t.fin && lettre(t.p[n])) return false;
    t.p += n;
    return true;
}

// A C identifier of fewer than taille characters.
bool identificateur(Texte &t, char *nom, size_t taille) {
    blancs(t);
    const char *debut = t.p;
    if (t.p == t.fin || !lettre(*t.p) || (*t.p >= '0' && *t.p <= '9')) return false;
    while (t.p < t.fin && lettre(*t.p))
        ++t.p;
    const size_t n = static_cast<size_t>(t.p - debut);
    if (n >= taille) return false;
    std::memcpy(nom, debut, n);
    nom[n] = '\0';
    return true;
}

// A number of at most chiffres digits: decimal, or with hexa "0x" and hexadecimal digits.
bool lirenombre(Texte &t, bool hexa, int chiffres, long &valeur) {
    blancs(t);
    if (hexa && !(t.fin - t.p >= 2 && t.p[0] == '0' && (t.p[1] == 'x' || t.p[1] == 'X')))
        return false;
    const char *p = t.p + (hexa ? 2 : 0);
    valeur = 0;
    int n = 0;
    for (; p < t.fin; ++p, ++n) {
        const char c = *p;
        int v = c >= '0' && c <= '9' ? c - '0' : -1;
        if (hexa && c >= 'a' && c <= 'f') v = c - 'a' + 10;
        if (hexa && c >= 'A' && c <= 'F') v = c - 'A' + 10;
        if (v < 0) break;
        if (n == chiffres) return false;
        valeur = valeur * (hexa ? 16 : 10) + v;
    }
    if (n == 0 || (p < t.fin && lettre(*p))) return false;
    t.p = p;
    return true;
}

// "#define name TEXTURE_SIZE_n", the name ending in suffixe: its beginning into prefixe, the side
// into cote.
bool definition(Texte &t, const char *suffixe, char *prefixe, size_t taille, int &cote) {
    char nom[256], constante[32];
    if (!jeton(t, "#") || !jeton(t, "define") || !identificateur(t, nom, sizeof nom)) return false;
    const size_t n = std::strlen(nom), m = std::strlen(suffixe);
    if (n <= m || n - m >= taille || std::strcmp(nom + n - m, suffixe) != 0) return false;
    std::memcpy(prefixe, nom, n - m);
    prefixe[n - m] = '\0';
    if (!identificateur(t, constante, sizeof constante)) return false;
    for (cote = texels::COTEMIN; cote <= texels::COTEMAX; cote *= 2)
        if (std::strcmp(constante, texels::constante(cote)) == 0) return true;
    return false;
}

bool dire(const Texte &t, char *raison, size_t taille, const char *attendu) {
    long ligne = 1;
    for (const char *c = t.debut; c < t.p; ++c)
        ligne += *c == '\n';
    std::snprintf(raison, taille,
                  "ce n'est pas une texture de meshpress-texture : ligne %ld, %s attendu", ligne,
                  attendu);
    return false;
}

// Where the OpenGL texture of object n takes texels::table: each 5-bit channel widened as the
// DS's screen shows it, alpha from bit 15.
uint8_t rgba[texels::OCTETSMAX / 2 * 4];

bool envoyer(int n, char *raison, size_t taille) {
    GLint maximum = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximum);
    if (texels::largeur > maximum || texels::hauteur > maximum) {
        std::snprintf(raison, taille,
                      "%d x %d texels, quand l'OpenGL de cette machine en prend %d de cote au plus",
                      texels::largeur, texels::hauteur, static_cast<int>(maximum));
        return false;
    }
    const long texelsnombre = static_cast<long>(texels::largeur) * texels::hauteur;
    for (long i = 0; i < texelsnombre; ++i) {
        const unsigned v = texels::table[i];
        for (int c = 0; c < 3; ++c) {
            const unsigned cinq = v >> (5 * c) & 31;
            rgba[4 * i + c] = static_cast<uint8_t>(cinq << 3 | cinq >> 2);
        }
        rgba[4 * i + 3] = v & 0x8000 ? 255 : 0;
    }
    GLuint nom = 0;
    glGenTextures(1, &nom);
    glBindTexture(GL_TEXTURE_2D, nom);
    // The DS samples the nearest texel, repeats the image beyond its sides (as chargertexture of
    // meshpress.h asks), and leaves out the texels whose bit 15 is clear.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Row 0, the image's top, is OpenGL's t = 0, as it is the DS's.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texels::largeur, texels::hauteur, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba);
    glBindTexture(GL_TEXTURE_2D, 0);
    glAlphaFunc(GL_GREATER, 0.5f);
    textures[n] = {nom, texels::largeur, texels::hauteur};
    return true;
}

// floatot16 as the DS program computes it, in texels: the value times 16, truncated toward zero
// to an int (held to its range), kept to its low 16 bits, a signed 12.4 fixed-point number.
float texelsds(float v) {
    const double x = static_cast<double>(v) * 16;
    long long n = 0;
    if (x >= 2147483647.0)
        n = 2147483647;
    else if (x <= -2147483648.0)
        n = -2147483648LL;
    else if (x == x)
        n = static_cast<long long>(x);
    return static_cast<float>(static_cast<int16_t>(static_cast<uint16_t>(n & 0xFFFF))) / 16;
}

} // namespace

int optiontextures(int argc, char **argv, int i, const char *usage) {
    if (std::strcmp(argv[i], "--textures") == 0) {
        texturesdemandees = true;
        return 1;
    }
    if (std::strcmp(argv[i], "--texture") != 0) return 0;
    if (i + 2 >= argc || nombredonnees == MAXOBJETS) {
        std::fprintf(stderr,
                     "stagehand : --texture prend une liste et son image (%d au plus) : --texture "
                     "LISTE IMAGE\n%s",
                     MAXOBJETS, usage);
        std::exit(2);
    }
    donnees[nombredonnees++] = {argv[i + 1], argv[i + 2], false};
    texturesdemandees = true;
    return 3;
}

void coordtexture(float t, float s) {
    // In texels: the texture matrix brings them to OpenGL's 0 to 1 when the list is drawn.
    glTexCoord2f(texelsds(s), texelsds(t));
}

bool lirefichiertexture(FILE *f, char *raison, size_t taille) {
    const size_t n = std::fread(texte, 1, sizeof texte, f);
    if (std::ferror(f)) {
        std::snprintf(raison, taille, "lecture impossible : %s", raisonsysteme(errno));
        return false;
    }
    if (n > TAILLETEXTE) {
        std::snprintf(raison, taille, "plus de %zu Mio, plus qu'aucune texture de la DS",
                      TAILLETEXTE >> 20);
        return false;
    }
    Texte t = {texte, texte, texte + n};
    blancs(t);
    if (t.p == t.fin) {
        std::snprintf(raison, taille,
                      "il ne tient aucune texture : meshpress-texture l'ecrit ainsi pour un modele "
                      "dont aucune face n'a d'image (map_Kd)");
        return false;
    }
    char nom[256], autre[256], tableau[256];
    int largeur = 0, hauteur = 0;
    if (!definition(t, "_largeur", nom, sizeof nom, largeur))
        return dire(t, raison, taille, "#define nom_largeur TEXTURE_SIZE_8 a TEXTURE_SIZE_1024");
    if (!definition(t, "_hauteur", autre, sizeof autre, hauteur) || std::strcmp(nom, autre) != 0)
        return dire(t, raison, taille, "#define nom_hauteur TEXTURE_SIZE_8 a TEXTURE_SIZE_1024");
    long elements = 0, alignement = 0;
    if (!jeton(t, "const") || !jeton(t, "u16") || !identificateur(t, tableau, sizeof tableau) ||
        std::strcmp(tableau, nom) != 0 || !jeton(t, "[") || !lirenombre(t, false, 8, elements) ||
        !jeton(t, "]"))
        return dire(t, raison, taille, "const u16 nom[largeur x hauteur]");
    if (jeton(t, "__attribute__") &&
        !(jeton(t, "(") && jeton(t, "(") && jeton(t, "aligned") && jeton(t, "(") &&
          lirenombre(t, false, 4, alignement) && jeton(t, ")") && jeton(t, ")") && jeton(t, ")")))
        return dire(t, raison, taille, "__attribute__((aligned(4)))");
    if (elements != static_cast<long>(largeur) * hauteur) {
        std::snprintf(raison, taille, "son tableau a %ld elements pour %d x %d texels", elements,
                      largeur, hauteur);
        return false;
    }
    if (2 * elements > texels::OCTETSMAX) {
        std::snprintf(raison, taille,
                      "%d x %d texels : une texture de la DS tient dans ses %ld Kio de memoire de "
                      "textures",
                      largeur, hauteur, texels::OCTETSMAX / 1024);
        return false;
    }
    if (!jeton(t, "=") || !jeton(t, "{")) return dire(t, raison, taille, "= {");
    for (long i = 0; i < elements; ++i) {
        long valeur = 0;
        if ((i > 0 && !jeton(t, ",")) || !lirenombre(t, true, 4, valeur))
            return dire(t, raison, taille, "une valeur de 0x0000 a 0xffff");
        texels::table[i] = static_cast<uint16_t>(valeur);
    }
    jeton(t, ",");
    if (!jeton(t, "}") || !jeton(t, ";")) return dire(t, raison, taille, "};");
    blancs(t);
    if (t.p != t.fin) return dire(t, raison, taille, "la fin du fichier");
    texels::largeur = largeur;
    texels::hauteur = hauteur;
    return true;
}

void chargertexture(int n, FILE *liste, const char *nom, bool texturee) {
    textures[n] = {0, 0, 0};
    // The last image given for this file.
    const Imagedonnee *donnee = nullptr;
    for (int k = 0; k < nombredonnees; ++k)
        if (memefichier(liste, donnees[k].liste)) {
            donnees[k].servie = true;
            donnee = &donnees[k];
        }
    if (!texturee) {
        if (donnee != nullptr)
            signaler("stagehand", true,
                     "%s n'a pas de coordonnees de texture (une liste sans texture) : l'image %s "
                     "ne lui sert pas.",
                     nom, donnee->image);
        return;
    }
    char raison[1024];
    const char *source = nullptr;
    bool lue = false;
    if (donnee != nullptr) {
        source = donnee->image;
        lue = texels::lire(source, raison, sizeof raison);
    } else {
        // stem_texture.h beside stem.h: the list's name without its extension.
        static char voisin[sizeof nomobjet[0] + 16];
        const char *seul = nomseul(nom);
        const char *point = std::strrchr(seul, '.');
        const int longueur =
            static_cast<int>(point != nullptr ? static_cast<size_t>(point - nom) : std::strlen(nom));
        std::snprintf(voisin, sizeof voisin, "%.*s_texture.h", longueur, nom);
        source = voisin;
        FILE *f = ouvrirlecture(voisin);
        if (f == nullptr && errno == ENOENT) {
            signaler("stagehand", true,
                     "%s (objet %d) est dessine sans texture : ni %s a cote (meshpress-texture "
                     "MODELE.obj %s l'ecrit), ni image donnee pour lui (--texture %s IMAGE).",
                     nom, n, voisin, nomseul(voisin), nom);
            return;
        }
        if (f == nullptr) {
            std::snprintf(raison, sizeof raison, "impossible de l'ouvrir : %s",
                          raisonsysteme(errno));
        } else {
            char pourquoi[sizeof raison - sizeof voisin - 8];
            lue = lirefichiertexture(f, pourquoi, sizeof pourquoi);
            std::fclose(f);
            if (!lue) std::snprintf(raison, sizeof raison, "%s : %s", voisin, pourquoi);
        }
    }
    if (lue) {
        char pourquoi[128];
        if (envoyer(n, pourquoi, sizeof pourquoi)) return;
        std::snprintf(raison, sizeof raison, "%s : %s", source, pourquoi);
    }
    signaler("stagehand", true, "%s (objet %d) est dessine sans texture : %s.", nom, n, raison);
}

void finirtextures() {
    for (int k = 0; k < nombredonnees; ++k)
        if (!donnees[k].servie)
            signaler("stagehand", true,
                     "--texture %s %s : aucune liste chargee n'est ce fichier ; l'image ne sert a "
                     "rien.",
                     donnees[k].liste, donnees[k].image);
}

bool dessinertexture(int n, bool choisi) {
    const Texture &t = textures[n];
    if (!texturesdemandees || !montrees || t.nom == 0) return false;
    const GLuint liste = static_cast<GLuint>(idobjet[n]);
    glColor3f(1, 1, 1);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(1.0f / static_cast<float>(t.largeur), 1.0f / static_cast<float>(t.hauteur), 1);
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, t.nom);
    glEnable(GL_ALPHA_TEST);
    glCallList(liste);
    glDisable(GL_ALPHA_TEST);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (choisi) contourner(liste);
    return true;
}

void basculertextures() {
    if (!texturesdemandees) {
        signaler("stagehand", false,
                 "la touche i montre ou cache les textures quand stagehand est lance avec "
                 "--textures.");
        return;
    }
    for (int n = 1; n <= nombreobjet; ++n)
        if (textures[n].nom != 0) {
            montrees = !montrees;
            return;
        }
    signaler("stagehand", false,
             "aucun objet n'a de texture a montrer : le chargement a dit pourquoi.");
}
