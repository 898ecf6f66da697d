#include "listemots.h"

#include <cstdlib>
#include <cstring>

using namespace commandes;

namespace {

// The words of the last list read, count word first; the buffer grows as they come and is kept
// for the next list.
uint32_t *mots = nullptr;
int64_t nmots = 0, capacite = 0;

bool ajouter(uint32_t mot, Lecturemots &lu) {
    if (nmots == capacite) {
        if (capacite == MAXMOTS) {
            std::snprintf(lu.raison, sizeof lu.raison, "plus de %lld mots, plus que meshpress n'en ecrit",
                          static_cast<long long>(MAXMOTS - 1));
            return false;
        }
        const int64_t nouvelle = capacite == 0 ? 4096 : 2 * capacite;
        void *p = std::realloc(mots, static_cast<size_t>(nouvelle) * sizeof *mots);
        if (p == nullptr) {
            std::snprintf(lu.raison, sizeof lu.raison, "plus de %lld mots : la memoire manque",
                          static_cast<long long>(nmots));
            return false;
        }
        mots = static_cast<uint32_t *>(p);
        capacite = nouvelle;
    }
    mots[nmots++] = mot;
    return true;
}

void commencer(Lecturemots &lu) {
    lu = {};
    lu.compte = -1;
    nmots = 0;
}

// The text, read in large blocks: the next character without taking it, the line it is on.
struct Texte {
    FILE *flux;
    char bloc[1 << 16];
    size_t p, n;
    long long ligne;
};
Texte t;

int regarder() {
    if (t.p == t.n) {
        t.n = std::fread(t.bloc, 1, sizeof t.bloc, t.flux);
        t.p = 0;
        if (t.n == 0) return EOF;
    }
    return static_cast<unsigned char>(t.bloc[t.p]);
}

int prendre() {
    const int c = regarder();
    if (c != EOF) ++t.p;
    if (c == '\n') ++t.ligne;
    return c;
}

// The exact characters.
bool litteral(const char *attendu) {
    for (; *attendu != '\0'; ++attendu) {
        if (regarder() != static_cast<unsigned char>(*attendu)) return false;
        prendre();
    }
    return true;
}

// A line's end, as meshpress writes it or as an editor on Windows keeps it.
bool finligne() {
    if (regarder() == '\r') prendre();
    return litteral("\n");
}

bool lettre(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool chiffre(int c) {
    return c >= '0' && c <= '9';
}

int hexa(int c) {
    if (chiffre(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A C identifier of fewer than taille characters.
bool identificateur(char *nom, size_t taille) {
    size_t n = 0;
    if (!lettre(regarder())) return false;
    while (lettre(regarder()) || chiffre(regarder())) {
        if (n + 1 == taille) return false;
        nom[n++] = static_cast<char>(prendre());
    }
    nom[n] = '\0';
    return true;
}

// The count word in decimal, as "%d" of a u32 prints it.
bool decimal(uint32_t &valeur) {
    uint64_t v = 0;
    int n = 0;
    for (; chiffre(regarder()); ++n) {
        v = v * 10 + static_cast<uint64_t>(prendre() - '0');
        if (v > UINT32_MAX) return false;
    }
    valeur = static_cast<uint32_t>(v);
    return n > 0;
}

// "0x%08X".
bool motexa(uint32_t &valeur) {
    if (!litteral("0x")) return false;
    valeur = 0;
    for (int k = 0; k < 8; ++k) {
        const int v = hexa(regarder());
        if (v < 0) return false;
        prendre();
        valeur = valeur << 4 | static_cast<uint32_t>(v);
    }
    return !lettre(regarder()) && !chiffre(regarder());
}

// A command by the name of its libnds macro.
const Commande *parnom(const char *nom) {
    for (const Commande &c : table)
        if (std::strcmp(c.nom, nom) == 0) return &c;
    return nullptr;
}

const Commande *parcode(unsigned code) {
    for (const Commande &c : table)
        if (c.code == code) return &c;
    return nullptr;
}

bool dire(Lecturemots &lu, const char *attendu) {
    std::snprintf(lu.raison, sizeof lu.raison, "ligne %lld : %s attendu", t.ligne, attendu);
    return false;
}

// "FIFO_COMMAND_PACK(A, B, C, D)," then the parameter words of the four, "0x%08X," each, then the
// line's end: the packed word and its parameters appended to the words.
bool lignepaquet(Lecturemots &lu) {
    if (!litteral(PAQUET)) return dire(lu, "FIFO_COMMAND_PACK( ou };");
    uint32_t paquet = 0;
    int parametres = 0;
    for (int k = 0; k < 4; ++k) {
        char nom[32];
        const Commande *c = nullptr;
        if (!identificateur(nom, sizeof nom) || (c = parnom(nom)) == nullptr)
            return dire(lu, "le nom d'une commande (FIFO_NOP, FIFO_VERTEX16...)");
        if (!litteral(k < 3 ? ", " : "),")) return dire(lu, k < 3 ? "\", \"" : "\"),\"");
        paquet |= static_cast<uint32_t>(c->code) << 8 * k;
        parametres += c->parametres;
    }
    uint32_t valeurs[12];
    for (int k = 0; k < parametres; ++k)
        if (!motexa(valeurs[k]) || !litteral(","))
            return dire(lu, "un mot de parametre 0x00000000, (autant que les commandes en prennent)");
    if (!finligne()) return dire(lu, "la fin de la ligne apres les parametres de ses commandes");
    if (!ajouter(paquet, lu)) return false;
    for (int k = 0; k < parametres; ++k)
        if (!ajouter(valeurs[k], lu)) return false;
    return true;
}

} // namespace

bool liretexte(FILE *f, Lecturemots &lu) {
    commencer(lu);
    t.flux = f;
    t.p = t.n = 0;
    t.ligne = 1;
    if (!litteral("/* meshpress")) return false;
    // The rest of the comment (the options and the words, which the count word says again),
    // ended by "*/" on the same line.
    int avant = 0, dernier = 0;
    for (int n = 0; n < 1024 && regarder() != EOF && regarder() != '\n' && regarder() != '\r'; ++n)
        avant = dernier, dernier = prendre();
    if (avant != '*' || dernier != '/' || !finligne()) {
        dire(lu, "\"*/\" a la fin de la premiere ligne");
        return true;
    }
    char nom[256];
    uint32_t compte = 0;
    if (!litteral("u32 ") || !identificateur(nom, sizeof nom) || !litteral("[] = {") ||
        !decimal(compte) || !litteral(",") || !finligne()) {
        dire(lu, "u32 NOM[] = {MOTS,");
        return true;
    }
    lu.compte = compte;
    if (!ajouter(compte, lu)) return true;
    while (regarder() != '}')
        if (!lignepaquet(lu)) break;
    if (lu.raison[0] == '\0') {
        litteral("};");
        // The editor's line end after the last line is let be.
        if (regarder() == '\r') prendre();
        if (regarder() == '\n') prendre();
        if (regarder() != EOF) dire(lu, "}; puis la fin du fichier");
    }
    lu.presents = nmots - 1;
    return true;
}

void lirebinaire(FILE *f, Lecturemots &lu) {
    commencer(lu);
    // The bytes in large blocks; a word may straddle two of them.
    uint32_t mot = 0;
    long long octets = 0;
    bool plein = false;
    for (size_t n; !plein && (n = std::fread(t.bloc, 1, sizeof t.bloc, f)) > 0;)
        for (size_t i = 0; i < n && !plein; ++i, ++octets) {
            mot |= static_cast<uint32_t>(static_cast<unsigned char>(t.bloc[i])) << 8 * (octets % 4);
            if (octets % 4 == 3) plein = !ajouter(mot, lu), mot = 0;
        }
    if (nmots > 0) lu.compte = mots[0], lu.presents = nmots - 1;
    if (plein) return;
    if (octets % 4 != 0)
        std::snprintf(lu.raison, sizeof lu.raison,
                      "%lld octets, pas un nombre entier de mots de 4 octets : les %lld derniers "
                      "sont laisses",
                      octets, octets % 4);
    else if (nmots == 0)
        std::snprintf(lu.raison, sizeof lu.raison, "le fichier est vide : pas meme le mot de compte");
}

namespace {

// The DS's vertex as its commands leave it, in 4.12 units, and the group being drawn.
struct Etat {
    int16_t x, y, z;
    int type;      // -1 outside a group
    int64_t sommets;
    int profondeur; // matrices pushed by the list
};

// The position matrices a list may push: the DS's stack holds 31, and the window's drawing holds
// one of OpenGL's 32 already.
constexpr int MAXPROFONDEUR = 30;

int64_t trianglesgroupe(int type, int64_t n) {
    switch (type) {
    case 0: return n / 3;
    case 1: return 2 * (n / 4);
    case 2: return n >= 3 ? n - 2 : 0;
    default: return n >= 4 ? 2 * ((n - 2) / 2) : 0;
    }
}

// A signed field of bits bits at bit debut.
int champ(uint32_t mot, int debut, int bits) {
    const uint32_t v = mot >> debut & ((1u << bits) - 1);
    return static_cast<int>(v) - (v >> (bits - 1) != 0 ? 1 << bits : 0);
}

int16_t bas(uint32_t mot) {
    return static_cast<int16_t>(mot & 0xFFFF);
}

int16_t haut(uint32_t mot) {
    return static_cast<int16_t>(mot >> 16);
}

void rgb15(uint32_t c, float *valeurs) {
    for (int k = 0; k < 3; ++k)
        valeurs[k] = static_cast<float>(c >> (5 * k) & 31) / 31;
}

void fermer(Etat &e, Lecturemots &lu, Action action) {
    if (e.type < 0) return;
    lu.triangles += trianglesgroupe(e.type, e.sommets);
    action(END_VTXS, nullptr);
    e.type = -1;
}

void sommet(Etat &e, Action action) {
    if (e.type < 0) return;
    ++e.sommets;
    const float v[3] = {static_cast<float>(e.x) / 4096 / 10, static_cast<float>(e.y) / 4096 / 10,
                        static_cast<float>(e.z) / 4096 / 10};
    action(VTX_16, v);
}

// A matrix command inside a group: OpenGL takes none between glBegin and glEnd, so the group is
// closed around it and opened again, of the same type.
void matrice(Etat &e, Lecturemots &lu, Action action, Code code, const float *valeurs) {
    const int type = e.type;
    fermer(e, lu, action);
    action(code, valeurs);
    if (type < 0) return;
    const float v = static_cast<float>(type);
    action(BEGIN_VTXS, &v);
    e.type = type;
    e.sommets = 0;
}

void executer(Etat &e, Lecturemots &lu, Action action, Code code, const uint32_t *p) {
    float v[7];
    switch (code) {
    case BEGIN_VTXS:
        fermer(e, lu, action);
        e.type = static_cast<int>(p[0] & 3);
        e.sommets = 0;
        v[0] = static_cast<float>(e.type);
        action(BEGIN_VTXS, v);
        return;
    case END_VTXS: fermer(e, lu, action); return;
    case VTX_16: e.x = bas(p[0]), e.y = haut(p[0]), e.z = bas(p[1]); break;
    case VTX_10:
        e.x = static_cast<int16_t>(champ(p[0], 0, 10) * 64);
        e.y = static_cast<int16_t>(champ(p[0], 10, 10) * 64);
        e.z = static_cast<int16_t>(champ(p[0], 20, 10) * 64);
        break;
    case VTX_XY: e.x = bas(p[0]), e.y = haut(p[0]); break;
    case VTX_XZ: e.x = bas(p[0]), e.z = haut(p[0]); break;
    case VTX_YZ: e.y = bas(p[0]), e.z = haut(p[0]); break;
    case VTX_DIFF:
        e.x = static_cast<int16_t>(e.x + champ(p[0], 0, 10));
        e.y = static_cast<int16_t>(e.y + champ(p[0], 10, 10));
        e.z = static_cast<int16_t>(e.z + champ(p[0], 20, 10));
        break;
    case NORMAL:
        lu.eclairee = true;
        for (int k = 0; k < 3; ++k)
            v[k] = static_cast<float>(champ(p[0], 10 * k, 10)) / 512;
        action(NORMAL, v);
        return;
    case COLOR:
        lu.coloree = true;
        rgb15(p[0], v);
        action(COLOR, v);
        return;
    case DIF_AMB:
        rgb15(p[0], v);
        rgb15(p[0] >> 16, v + 3);
        v[6] = p[0] & 0x8000 ? 1.0f : 0.0f;
        lu.coloree = lu.coloree || v[6] != 0;
        action(DIF_AMB, v);
        return;
    case TEXCOORD:
        lu.texturee = true;
        v[0] = static_cast<float>(bas(p[0])) / 16;
        v[1] = static_cast<float>(haut(p[0])) / 16;
        action(TEXCOORD, v);
        return;
    case MTX_PUSH:
        if (e.profondeur == MAXPROFONDEUR) return;
        ++e.profondeur;
        matrice(e, lu, action, MTX_PUSH, nullptr);
        return;
    case MTX_POP:
        for (int n = champ(p[0], 0, 6); n > 0 && e.profondeur > 0; --n, --e.profondeur)
            matrice(e, lu, action, MTX_POP, nullptr);
        return;
    case MTX_SCALE:
        for (int k = 0; k < 3; ++k)
            v[k] = static_cast<float>(static_cast<int32_t>(p[k])) / 4096;
        matrice(e, lu, action, MTX_SCALE, v);
        return;
    default: return;
    }
    sommet(e, action);
}

} // namespace

void interpreter(Lecturemots &lu, Action action) {
    Etat e = {0, 0, 0, -1, 0, 0};
    int64_t fin = nmots;
    if (lu.compte >= 0 && lu.compte < lu.presents) fin = lu.compte + 1;
    // What stops the commands is said unless reading already stopped, which says more.
    char arret[sizeof lu.raison] = "";
    for (int64_t i = 1; i < fin && arret[0] == '\0';) {
        const int64_t ou = i;
        const uint32_t paquet = mots[i++];
        for (int k = 0; k < 4; ++k) {
            const unsigned code = paquet >> 8 * k & 0xFF;
            const Commande *c = parcode(code);
            if (c == nullptr) {
                std::snprintf(arret, sizeof arret,
                              "mot %lld : 0x%02X n'est pas une commande qu'une liste de meshpress "
                              "envoie",
                              static_cast<long long>(ou), code);
                break;
            }
            if (fin - i < c->parametres) {
                std::snprintf(arret, sizeof arret,
                              "mot %lld : %s prend %d mot%s de parametre, la liste s'arrete avant",
                              static_cast<long long>(ou), c->nom, c->parametres,
                              c->parametres > 1 ? "s" : "");
                break;
            }
            executer(e, lu, action, c->code, mots + i);
            i += c->parametres;
        }
    }
    fermer(e, lu, action);
    for (; e.profondeur > 0; --e.profondeur)
        action(MTX_POP, nullptr);
    if (lu.raison[0] == '\0') std::memcpy(lu.raison, arret, sizeof arret);
}
