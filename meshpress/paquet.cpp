#include "paquet.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "bandes.h"
#include "commandes.h"
#include "maillage.h"

using namespace commandes;

namespace paquet {

uint32_t *mots = nullptr;
int64_t nmots = 0;
int64_t sommetsenvoyes = 0, polygones = 0;

} // namespace paquet

using namespace paquet;

namespace {

// The packed word that takes the next command poser puts, and how many commands it holds.
int64_t paquetcourant = 0;
int place = 4;

void poser(Code code) {
    if (place == 4) {
        paquetcourant = nmots;
        mots[nmots++] = 0;
        place = 0;
    }
    mots[paquetcourant] |= static_cast<uint32_t>(code) << (8 * place);
    ++place;
}

void poser(Code code, uint32_t parametre) {
    poser(code);
    mots[nmots++] = parametre;
}

uint32_t seize(int32_t v) {
    return static_cast<uint16_t>(v);
}

uint32_t dix(int32_t v) {
    return static_cast<uint32_t>(v) & 0x3FF;
}

bool tientdix(int32_t v) {
    return v >= -512 && v <= 511;
}

// The cheapest command that lands exactly on s, after the group's previous vertex (none for the
// first): VTX_10 when the three values have their low 6 bits zero, then VTX_XY, VTX_XZ, VTX_YZ
// when one coordinate repeats, then VTX_DIFF when the three differences fit 10 bits, else VTX_16.
void sommet(const maillage::Sommet &s, const maillage::Sommet *avant, bool compacte) {
    ++sommetsenvoyes;
    const int32_t x = s.x, y = s.y, z = s.z;
    if (compacte) {
        if ((x & 63) == 0 && (y & 63) == 0 && (z & 63) == 0) {
            poser(VTX_10, dix(x >> 6) | dix(y >> 6) << 10 | dix(z >> 6) << 20);
            return;
        }
        if (avant != nullptr) {
            if (z == avant->z) return poser(VTX_XY, seize(x) | seize(y) << 16);
            if (y == avant->y) return poser(VTX_XZ, seize(x) | seize(z) << 16);
            if (x == avant->x) return poser(VTX_YZ, seize(y) | seize(z) << 16);
            const int32_t dx = x - avant->x, dy = y - avant->y, dz = z - avant->z;
            if (tientdix(dx) && tientdix(dy) && tientdix(dz))
                return poser(VTX_DIFF, dix(dx) | dix(dy) << 10 | dix(dz) << 20);
        }
    }
    poser(VTX_16, seize(x) | seize(y) << 16);
    mots[nmots++] = seize(z);
}

// What the engine holds: the values last sent in the list, which it keeps across BEGIN.
struct Etat {
    int32_t t, s, normale, couleur;
};

// A vertex's values that changed, then the vertex. The texture pair first, then the colour: a
// lit list's DIF_AMB sets the material, which the NORMAL after it lights (the DS computes the
// vertex colour when the normal comes, so a new material is followed by the normal again).
// premier: the list's first vertex, which sends every value it has.
void envoyer(const maillage::Sommet &s, const maillage::Sommet *avant, Etat &etat, bool premier,
             bool compacte) {
    if (maillage::texturee && (premier || s.t != etat.t || s.s != etat.s)) {
        poser(TEXCOORD, seize(s.s) | seize(s.t) << 16);
        etat.t = s.t;
        etat.s = s.s;
    }
    bool materiau = false;
    if (s.couleur != maillage::AUCUNE && (premier || s.couleur != etat.couleur)) {
        const uint32_t c = static_cast<uint32_t>(s.couleur) & 0x7FFF;
        if (maillage::eclairee) {
            const uint32_t ambiante = (c & 31) / 3 | ((c >> 5) & 31) / 3 << 5 | ((c >> 10) & 31) / 3 << 10;
            poser(DIF_AMB, c | 1u << 15 | ambiante << 16);
            materiau = true;
        } else {
            poser(COLOR, c);
        }
        etat.couleur = s.couleur;
    }
    if (s.normale != maillage::AUCUNE && (premier || materiau || s.normale != etat.normale)) {
        poser(NORMAL, static_cast<uint32_t>(s.normale));
        etat.normale = s.normale;
    }
    sommet(s, avant, compacte);
}

int64_t polygonesdugroupe(bandes::Type type, int64_t n) {
    switch (type) {
    case bandes::TRIANGLES: return n / 3;
    case bandes::QUADS: return n / 4;
    case bandes::BANDE: return n - 2;
    case bandes::BANDEQUADS: return (n - 2) / 2;
    }
    return 0;
}

} // namespace

bool paquet::empaqueter(bool compacte) {
    std::free(mots);
    mots = nullptr;
    nmots = sommetsenvoyes = polygones = 0;
    if (!bandes::construire(compacte)) return false;
    // The bound: every vertex with a texture pair, a colour and a normal (4 commands, 5 parameter
    // words with VTX_16), every group's BEGIN (and one END), the scale's push, scale and pop.
    const int64_t ncommandes = 4 * bandes::nindices + bandes::ngroupes + 1 + 3 + 1;
    const int64_t nparametres = 5 * bandes::nindices + bandes::ngroupes + 4 + 1;
    const int64_t borne = 1 + (ncommandes + 3) / 4 + nparametres;
    mots = static_cast<uint32_t *>(std::malloc(static_cast<size_t>(borne) * sizeof *mots));
    if (mots == nullptr) return false;
    nmots = 1;
    place = 4;
    if (maillage::options.ajuster) {
        const int exposant = maillage::exposant < -12 ? -12 : maillage::exposant > 12 ? 12 : maillage::exposant;
        const uint32_t facteur = 1u << (12 + exposant);
        poser(MTX_PUSH);
        poser(MTX_SCALE, facteur);
        mots[nmots++] = facteur;
        mots[nmots++] = facteur;
    }
    // An empty model still makes a list the DS takes: one empty group of triangles.
    if (bandes::ngroupes == 0) poser(BEGIN_VTXS, bandes::TRIANGLES);
    Etat etat{};
    for (int64_t g = 0; g < bandes::ngroupes; ++g) {
        const bandes::Groupe &groupe = bandes::groupes[g];
        poser(BEGIN_VTXS, groupe.type);
        polygones += polygonesdugroupe(groupe.type, groupe.fin - groupe.debut);
        const maillage::Sommet *avant = nullptr;
        for (int64_t i = groupe.debut; i < groupe.fin; ++i) {
            const maillage::Sommet &s = maillage::sommets[bandes::indices[i]];
            envoyer(s, avant, etat, g == 0 && i == groupe.debut, compacte);
            avant = &s;
        }
    }
    // The DS needs no END between groups: a BEGIN starts a new one; one ends the list.
    poser(END_VTXS);
    if (maillage::options.ajuster) poser(MTX_POP, 1);
    mots[0] = static_cast<uint32_t>(nmots - 1);
    return true;
}

namespace {

// The text goes to the stream in blocks of this buffer; a packed word's line is far shorter than
// LIGNE (18 + 4 names of at most 24 + 9 parameters of 11 characters).
char tampon[1 << 16];
size_t rempli = 0;
constexpr size_t LIGNE = 256;
FILE *destination = nullptr;

void vider() {
    std::fwrite(tampon, 1, rempli, destination);
    rempli = 0;
}

void ajouter(const char *texte, size_t n) {
    std::memcpy(tampon + rempli, texte, n);
    rempli += n;
}

void ajouter(const char *texte) {
    ajouter(texte, std::strlen(texte));
}

void entier(int64_t n) {
    char chiffres[24];
    const auto r = std::to_chars(chiffres, chiffres + sizeof chiffres, n);
    ajouter(chiffres, static_cast<size_t>(r.ptr - chiffres));
}

void hexadecimal(uint32_t mot) {
    static constexpr char CHIFFRES[] = "0123456789ABCDEF";
    char texte[11] = {'0', 'x'};
    for (int i = 0; i < 8; ++i) texte[2 + i] = CHIFFRES[(mot >> (28 - 4 * i)) & 15];
    texte[10] = ',';
    ajouter(texte, sizeof texte);
}

// Each command's name and number of parameter words, by its number.
struct Nom {
    const char *nom;
    size_t longueur;
    int parametres;
};
constexpr auto tablenoms() {
    struct {
        Nom n[256];
    } t{};
    for (Nom &n : t.n) n = {table[0].nom, std::string_view(table[0].nom).size(), 0};
    for (const Commande &c : table)
        t.n[c.code] = {c.nom, std::string_view(c.nom).size(), c.parametres};
    return t;
}
constexpr auto noms = tablenoms();

static_assert(LIGNE >= sizeof PAQUET + 4 * 24 + 9 * 11 + 4);

} // namespace

void paquet::ecriretexte(FILE *sortie, const char *nomtableau, const char *options) {
    destination = sortie;
    rempli = 0;
    ajouter("/* meshpress");
    if (*options != '\0') ajouter(" ");
    vider();
    std::fwrite(options, 1, std::strlen(options), sortie);
    ajouter(" : ");
    entier(nmots - 1);
    ajouter(" mots apres le premier */\nu32 ");
    vider();
    std::fwrite(nomtableau, 1, std::strlen(nomtableau), sortie);
    ajouter("[] = {");
    entier(nmots - 1);
    ajouter(",\n");
    int64_t i = 1;
    while (i < nmots) {
        if (rempli + LIGNE > sizeof tampon) vider();
        const uint32_t paquet = mots[i++];
        ajouter(PAQUET, sizeof PAQUET - 1);
        int parametres = 0;
        for (int k = 0; k < 4; ++k) {
            const Nom &n = noms.n[(paquet >> (8 * k)) & 0xFF];
            if (k > 0) ajouter(", ", 2);
            ajouter(n.nom, n.longueur);
            parametres += n.parametres;
        }
        ajouter("),", 2);
        for (; parametres > 0 && i < nmots; --parametres) hexadecimal(mots[i++]);
        ajouter("\n", 1);
    }
    ajouter("};", 2);
    vider();
}

void paquet::ecrirebinaire(FILE *sortie) {
    destination = sortie;
    rempli = 0;
    for (int64_t i = 0; i < nmots; ++i) {
        if (rempli + 4 > sizeof tampon) vider();
        const uint32_t m = mots[i];
        const char octets[4] = {static_cast<char>(m & 0xFF), static_cast<char>((m >> 8) & 0xFF),
                                static_cast<char>((m >> 16) & 0xFF), static_cast<char>(m >> 24)};
        ajouter(octets, 4);
    }
    vider();
}
