#include "obj.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "lignes.h"
#include "matieres.h"
#include "messages.h"
#include "mot.h"
#include "polygone.h"
#include "systeme.h"

namespace obj {

// The tables of obj.h (commencer empties them), on large pages where the system gives them, as
// a face may name vertices anywhere in them.
alignas(ALIGNEMENTTABLE) float sommets[CAPACITE][4];
alignas(ALIGNEMENTTABLE) float coordonnees[CAPACITE][2];
alignas(ALIGNEMENTTABLE) float normales[CAPACITE][4];
alignas(ALIGNEMENTTABLE) float couleurs[CAPACITE][4];
bool aveccouleurs;
alignas(ALIGNEMENTTABLE) Triangle triangles[CAPACITE];
Quad quads[CAPACITE / 2];
int32_t nsommets, ncoordonnees, nnormales, ntriangles, nquads;
long texturees;

namespace {

// The faults of statements said in full; the others are counted.
constexpr long DETAILLES = 10;

// The state of one model's reading; each piece says what resets it (commencer, at the start
// of every model, for most).

// The model file's lines: each reading opens its Lignes over it afresh.
char tampon[1 << 18];
// The model's folder, which its MTL libraries and images are named from: set by commencer.
char dossier[matieres::TAILLECHEMIN];
// The material that the faces read now take (usemtl): -1, none, from commencer on.
int32_t matierecourante;
// The materials of the textured faces, whose images are measured once the model is read:
// cleared by commencer.
bool utilisees[matieres::MAXMATIERES];

// One polygon being read and its triangles: lireface and completer write them before reading
// them, for each polygon, and nothing else does.
int32_t coinsommet[polygone::MAXCOINS], cointexture[polygone::MAXCOINS],
    coinnormale[polygone::MAXCOINS];
const float *coins[polygone::MAXCOINS];
int decoupe[polygone::MAXCOINS][3];

// What is counted to be said once the model is read, set to 0 by commencer: the statements'
// faults, the faces left out and those converted, and among the textured ones (texturees, in
// obj.h) those with corners lacking a texture vertex, those without a material, those of a
// material beyond the table and those of a material's name too long.
long problemes, laissees, faces, partielles, sansmatiere, horstable, nomtroplong;
// Statements passed over (l, p and the unknown ones): how many, the first's line and word.
// Emptied by commencer.
struct Passees {
    long nombre, premiere;
    char mot[48];
};
Passees passeesl, passeesp, inconnues;
// Whether this model's messages have begun (the first starts a line of its own): cleared by
// commencer. muet keeps every message back: imagesdumodele sets it around its reading, and
// clears it after.
bool aparle, muet;

void vdire(const char *format, va_list arguments) {
    if (muet) return;
    if (!aparle) {
        // The echoed name ends no line: the messages start on one of their own.
        std::fflush(stdout);
        std::fputc('\n', stderr);
        aparle = true;
    }
    vimprimer(stderr, format, arguments);
}

} // namespace

void dire(const char *format, ...) {
    va_list a;
    va_start(a, format);
    vdire(format, a);
    va_end(a);
}

namespace {

// The fault of one statement, said in full for the first few.
void probleme(long ligne, const char *format, ...) {
    if (++problemes > DETAILLES) return;
    dire("attention : ligne %ld : ", ligne);
    va_list a;
    va_start(a, format);
    vdire(format, a);
    va_end(a);
    std::fputc('\n', stderr);
}

const char *montrer(const Mot &mot) {
    return ::montrer(mot.texte, mot.tronque ? TAILLEMOT : mot.longueur);
}

void passer(Passees &p, long ligne, const Mot &mot) {
    if (p.nombre++ == 0) {
        p.premiere = ligne;
        std::snprintf(p.mot, sizeof p.mot, "%s", montrer(mot));
    }
}

const char *pluriel(long n) {
    return n > 1 ? "s" : "";
}

bool chiffre(char c) {
    return c >= '0' && c <= '9';
}

// [sign] digits, the whole text, held to 2^40 in magnitude.
bool lireentier(const char *p, const char *fin, long long &valeur) {
    const bool negatif = p < fin && *p == '-';
    if (p < fin && (*p == '-' || *p == '+')) ++p;
    if (p == fin) return false;
    long long v = 0;
    for (; p < fin; ++p) {
        if (!chiffre(*p)) return false;
        v = v * 10 + (*p - '0');
        if (v > (1ll << 40)) v = 1ll << 40;
    }
    valeur = negatif ? -v : v;
    return true;
}

// A polygon's corner, v, v/vt, v//vn or v/vt/vn: the indices of the vertex, the texture vertex
// and the normal, 0 for none.
bool lirecoin(const Mot &mot, long long &v, long long &vt, long long &vn) {
    if (mot.tronque) return false;
    const char *p = mot.texte, *fin = p + mot.longueur;
    const char *barre = static_cast<const char *>(std::memchr(p, '/', mot.longueur));
    vt = vn = 0;
    if (barre == nullptr) return lireentier(p, fin, v);
    if (!lireentier(p, barre, v)) return false;
    const char *deuxieme = static_cast<const char *>(
        std::memchr(barre + 1, '/', static_cast<size_t>(fin - barre - 1)));
    if (deuxieme == nullptr) return lireentier(barre + 1, fin, vt);
    return (deuxieme == barre + 1 || lireentier(barre + 1, deuxieme, vt)) &&
           lireentier(deuxieme + 1, fin, vn);
}

// The table position an index names among the nombre entries read so far (1 the first, -1
// the last read), or -1.
int32_t position(long long indice, int32_t nombre) {
    if (indice > 0 && indice <= nombre) return static_cast<int32_t>(indice - 1);
    if (indice < 0 && -indice <= nombre) return static_cast<int32_t>(nombre + indice);
    return -1;
}

// A face left out, its reason said.
bool laisserface() {
    ++laissees;
    return true;
}

// Beyond the converter's tables: nothing is written.
bool horscapacite(char *raison, size_t taille, long ligne, const char *quoi) {
    std::snprintf(raison, taille,
                  "ligne %ld : le modele a plus de %d %s, la capacite du convertisseur ; "
                  "aucune liste n'est ecrite",
                  ligne, CAPACITE, quoi);
    return false;
}

// One number of a v or vt statement.
enum Lu { LU, ABSENT, ILLISIBLE };
Lu lirenombre(Lignes &l, float &valeur, Mot &mot) {
    if (!motsuivant(l, mot)) return ABSENT;
    return !mot.tronque && lirereel(mot.texte, mot.longueur, valeur) ? LU : ILLISIBLE;
}

// A vertex or texture vertex that cannot be read still takes its number, so that the indices
// after it keep their meaning; it holds NaN first, and the faces that name it are left out.
void illisible(Lignes &l, float *entree, const char *quoi, const char *manque, Lu lu,
               const Mot &mot) {
    entree[0] = NAN;
    char faute[96];
    if (lu == ABSENT)
        std::snprintf(faute, sizeof faute, "incomplet : il lui faut %s", manque);
    else if (mot.tronque)
        std::snprintf(faute, sizeof faute, "illisible : '%s' a plus de %zu caracteres",
                      montrer(mot), TAILLEMOT - 1);
    else
        std::snprintf(faute, sizeof faute, "illisible : '%s' n'est pas un nombre decimal",
                      montrer(mot));
    probleme(l.instruction, "%s %s ; les faces qui le nomment seront laissees de cote", quoi,
             faute);
}

// v x y z [w | r g b]: the colour when three numbers follow the coordinates, all readable;
// anything else after them means nothing here.
void liresommet(Lignes &l) {
    float *c = couleurs[nsommets];
    float *p = sommets[nsommets++];
    c[0] = NAN;
    Mot mot;
    for (int k = 0; k < 3; ++k)
        if (const Lu lu = lirenombre(l, p[k], mot); lu != LU)
            return illisible(l, p, "sommet", "trois coordonnees", lu, mot);
    float rgb[3];
    for (float &composante : rgb)
        if (lirenombre(l, composante, mot) != LU) return;
    if (motsuivant(l, mot)) return;
    std::memcpy(c, rgb, sizeof rgb);
    aveccouleurs = true;
}

// vn x y z: said nothing of when it cannot be read, as before normals were kept; the corners
// naming it then have none.
void lirenormale(Lignes &l) {
    if (nnormales == INT32_MAX) return;
    if (nnormales++ >= CAPACITE) return;
    float *n = normales[nnormales - 1];
    Mot mot;
    for (int k = 0; k < 3; ++k)
        if (lirenombre(l, n[k], mot) != LU) {
            n[0] = NAN;
            return;
        }
}

// vt u [v [w]].
void lirecoordonnees(Lignes &l) {
    float *t = coordonnees[ncoordonnees++];
    t[1] = 0;
    Mot mot;
    for (int k = 0; k < 2; ++k)
        if (const Lu lu = lirenombre(l, t[k], mot); lu == ILLISIBLE || (lu == ABSENT && k == 0))
            return illisible(l, t, "sommet de texture", "une coordonnee au moins", lu, mot);
        else if (lu == ABSENT)
            return;
}

// A polygon whose entries are all read: the faults only they show, then its triangles. False
// beyond the converter's capacity.
bool completer(long ligne, int32_t matiere, int n, const int32_t *s, const int32_t *t,
               const int32_t *v, char *raison, size_t taille) {
    int avectexture = 0;
    for (int k = 0; k < n; ++k) {
        if (std::isnan(sommets[s[k]][0])) {
            probleme(ligne, "la face nomme le sommet %d, illisible ; face laissee de cote",
                     s[k] + 1);
            return laisserface();
        }
        if (t[k] >= 0 && std::isnan(coordonnees[t[k]][0])) {
            probleme(ligne,
                     "la face nomme le sommet de texture %d, illisible ; face laissee de cote",
                     t[k] + 1);
            return laisserface();
        }
        coins[k] = sommets[s[k]];
        avectexture += t[k] >= 0;
    }
    const polygone::Triangulation r = polygone::trianguler(n, coins, decoupe);
    if (r.triangles == 0) {
        probleme(ligne, "polygone degenere (moins de trois coins distincts, ou d'aire nulle) ; "
                        "face laissee de cote");
        return laisserface();
    }
    if (r.recoupe)
        probleme(ligne, "polygone qui se recoupe lui-meme : ses triangles ne peuvent le couvrir "
                        "exactement");
    if (r.touche)
        probleme(ligne, "polygone qui se touche lui-meme : ses triangles ne peuvent le couvrir "
                        "exactement");
    if (ntriangles > CAPACITE - r.triangles)
        return horscapacite(raison, taille, ligne, "triangles");
    ++faces;
    partielles += avectexture < n;
    if (avectexture > 0) {
        ++texturees;
        if (matiere >= 0)
            utilisees[matiere] = true;
        else if (matiere == matieres::HORSTABLE)
            ++horstable;
        else if (matiere == matieres::NOMTROPLONG)
            ++nomtroplong;
        else
            ++sansmatiere;
    }
    if (n == 4 && r.triangles == 2) {
        Quad &q = quads[nquads++];
        q = {ntriangles, {-1, -1, -1, -1}};
        for (int8_t c = 5; c >= 0; --c)
            q.coins[decoupe[c / 3][c % 3]] = c;
    }
    for (int k = 0; k < r.triangles; ++k) {
        Triangle &triangle = triangles[ntriangles++];
        for (int c = 0; c < 3; ++c) {
            triangle.sommets[c] = s[decoupe[k][c]];
            triangle.textures[c] = t[decoupe[k][c]];
            triangle.normales[c] = v[decoupe[k][c]];
        }
        triangle.matiere = matiere;
    }
    return true;
}

// Triangles and quads wait in a short queue while the entries they name are fetched: a face
// naming vertices far apart in the tables then costs little more than one naming its
// neighbours. The queue is emptied before anything else is done, so that the triangles and the
// messages keep the file's order.
struct Enattente {
    long ligne;
    int32_t matiere;
    int n;
    int32_t sommets[4], textures[4], normales[4];
};
constexpr int PROFONDEUR = 8;
// The queue, premiere its first entry and enattente how many wait: commencer empties it, and so
// does vider before any other statement and at the end of the model.
Enattente attente[PROFONDEUR];
int premiere, enattente;

bool terminerpremiere(char *raison, size_t taille) {
    const Enattente &p = attente[premiere];
    premiere = (premiere + 1) % PROFONDEUR;
    --enattente;
    return completer(p.ligne, p.matiere, p.n, p.sommets, p.textures, p.normales, raison, taille);
}

bool vider(char *raison, size_t taille) {
    while (enattente > 0)
        if (!terminerpremiere(raison, taille)) return false;
    return true;
}

// f and its corners, or the reason the face is left out. False beyond the converter's capacity.
bool lireface(Lignes &l, char *raison, size_t taille) {
    const long ligne = l.instruction;
    char faute[160] = "";
    int n = 0;
    for (Mot mot; motsuivant(l, mot);) {
        long long v, vt, vn;
        if (!lirecoin(mot, v, vt, vn)) {
            std::snprintf(faute, sizeof faute,
                          "'%s' n'est pas un coin de face (v, v/vt, v//vn ou v/vt/vn)",
                          montrer(mot));
            break;
        }
        if (n == polygone::MAXCOINS) {
            std::snprintf(faute, sizeof faute, "face de plus de %d coins", polygone::MAXCOINS);
            break;
        }
        const int32_t s = position(v, nsommets);
        const int32_t t = vt == 0 ? -1 : position(vt, ncoordonnees);
        if (s < 0 || (vt != 0 && t < 0)) {
            std::snprintf(faute, sizeof faute,
                          "la face nomme le sommet %s%lld, qui n'existe pas (%d lus jusque-la)",
                          s < 0 ? "" : "de texture ", s < 0 ? v : vt,
                          s < 0 ? nsommets : ncoordonnees);
            break;
        }
        // A normal that is not there, or not kept, is none: faces were never refused for one.
        const int32_t normale = vn == 0 ? -1 : position(vn, nnormales);
        coinsommet[n] = s;
        cointexture[n] = t;
        coinnormale[n] = normale < CAPACITE ? normale : -1;
        ++n;
    }
    if (faute[0] == '\0' && n < 3)
        std::snprintf(faute, sizeof faute, "face de %d coin%s, il en faut trois au moins", n,
                      pluriel(n));
    if (faute[0] != '\0') {
        if (!vider(raison, taille)) return false;
        probleme(ligne, "%s ; face laissee de cote", faute);
        return laisserface();
    }
    if (n > 4)
        return vider(raison, taille) &&
               completer(ligne, matierecourante, n, coinsommet, cointexture, coinnormale, raison,
                         taille);
    if (enattente == PROFONDEUR && !terminerpremiere(raison, taille)) return false;
    Enattente &p = attente[(premiere + enattente++) % PROFONDEUR];
    p = {ligne, matierecourante, n, {}, {}, {}};
    for (int k = 0; k < n; ++k) {
        p.sommets[k] = coinsommet[k];
        p.textures[k] = cointexture[k];
        p.normales[k] = coinnormale[k];
        __builtin_prefetch(sommets[coinsommet[k]]);
        if (cointexture[k] >= 0) __builtin_prefetch(coordonnees[cointexture[k]]);
    }
    return true;
}

// mtllib: one library or several, each named relative to the model's folder; a name that
// holds blanks is tried whole first. False for a library that cannot be read as text, with why.
bool lirebibliotheques(Lignes &l, char *raison, size_t taille) {
    char noms[matieres::TAILLECHEMIN];
    restedelinstruction(l, noms, sizeof noms);
    matieres::Lecture lu = matieres::lirebibliotheque(noms, dossier, raison, taille);
    if (lu != matieres::INTROUVABLE) return lu == matieres::LUE;
    for (char *nom = std::strtok(noms, " "); nom != nullptr; nom = std::strtok(nullptr, " ")) {
        lu = matieres::lirebibliotheque(nom, dossier, raison, taille);
        if (lu == matieres::REFUSEE) return false;
        if (lu == matieres::INTROUVABLE)
            probleme(l.instruction, "bibliotheque de matieres %s introuvable", nom);
    }
    return true;
}

// Reads the model into the tables; false beyond their capacity, or for a model or library that
// cannot be read as text.
bool lire(FILE *entree, const char *nommodele, char *raison, size_t taille) {
    Lignes l;
    ouvrirlignes(l, entree, tampon, sizeof tampon);
    if (const char *c = codage(l)) return refusercodage("le modele", nommodele, c, raison, taille);
    for (Mot mot; instructionsuivante(l, mot);) {
        const long ligne = l.instruction;
        if (!egal(mot, "f") && !vider(raison, taille)) return false;
        if (egal(mot, "v")) {
            if (nsommets == CAPACITE) return horscapacite(raison, taille, ligne, "sommets");
            liresommet(l);
        } else if (egal(mot, "f")) {
            if (!lireface(l, raison, taille)) return false;
        } else if (egal(mot, "vt")) {
            if (ncoordonnees == CAPACITE)
                return horscapacite(raison, taille, ligne, "sommets de texture");
            lirecoordonnees(l);
        } else if (egal(mot, "usemtl")) {
            char nom[matieres::TAILLENOM];
            const bool entier = restedelinstruction(l, nom, sizeof nom);
            matierecourante = entier ? matieres::trouver(nom) : matieres::NOMTROPLONG;
            if (!entier)
                probleme(ligne,
                         "nom de matiere de plus de %zu caracteres : ses faces n'ont pas de "
                         "matiere",
                         matieres::TAILLENOM - 1);
        } else if (egal(mot, "mtllib")) {
            if (!lirebibliotheques(l, raison, taille)) return false;
        } else if (egal(mot, "l")) {
            passer(passeesl, ligne, mot);
        } else if (egal(mot, "p")) {
            passer(passeesp, ligne, mot);
        } else if (egal(mot, "vn")) {
            lirenormale(l);
        } else if (!egal(mot, "o") && !egal(mot, "g") && !egal(mot, "s")) {
            // Object and group names (every object goes into the one list, in the file's order)
            // and smoothing groups (normals are the vn or computed by angle) mean nothing here.
            passer(inconnues, ligne, mot);
        }
    }
    return vider(raison, taille);
}

// What was left out or passed over, once the model is read.
void bilanlecture() {
    const long autres = problemes - DETAILLES;
    if (autres > 0)
        dire("attention : et %ld autre%s probleme%s, non detaille%s.\n", autres, pluriel(autres),
             pluriel(autres), pluriel(autres));
    if (laissees > 0)
        dire("attention : %ld face%s laissee%s de cote sur %ld, les autres converties.\n", laissees,
             pluriel(laissees), pluriel(laissees), laissees + faces);
    if (passeesl.nombre > 0)
        dire("attention : %ld instruction%s l (lignes) passee%s, la premiere ligne %ld : la liste "
             "ne dessine que des triangles.\n",
             passeesl.nombre, pluriel(passeesl.nombre), pluriel(passeesl.nombre),
             passeesl.premiere);
    if (passeesp.nombre > 0)
        dire("attention : %ld instruction%s p (points) passee%s, la premiere ligne %ld : la liste "
             "ne dessine que des triangles.\n",
             passeesp.nombre, pluriel(passeesp.nombre), pluriel(passeesp.nombre),
             passeesp.premiere);
    if (inconnues.nombre > 0)
        dire("attention : %ld instruction%s inconnue%s passee%s, la premiere ligne %ld (%s).\n",
             inconnues.nombre, pluriel(inconnues.nombre), pluriel(inconnues.nombre),
             pluriel(inconnues.nombre), inconnues.premiere, inconnues.mot);
}

// The size of each textured face's image, and what the pairs cannot be written for.
void mesurertextures() {
    int images = 0;
    char liste[256] = "";
    for (int i = 0; i < matieres::nombre; ++i) {
        if (!utilisees[i]) continue;
        matieres::Matiere &m = matieres::table[i];
        matieres::mesurer(m, dossier);
        if (m.introuvable[0] != '\0')
            dire("attention : matiere %s : image %s introuvable telle qu'ecrite ; %s, de meme nom, "
                 "est prise a sa place.\n",
                 m.nom, m.introuvable, m.image);
        if (m.raison[0] != '\0')
            dire("attention : matiere %s : %s ; paires de texture ecrites pour %d x %d.\n", m.nom,
                 m.raison, matieres::TAILLEDEFAUT, matieres::TAILLEDEFAUT);
        bool nouvelle = m.image[0] != '\0';
        for (int j = 0; j < i && nouvelle; ++j)
            nouvelle = !utilisees[j] || std::strcmp(matieres::table[j].image, m.image) != 0;
        if (!nouvelle) continue;
        const size_t n = std::strlen(liste);
        std::snprintf(liste + n, sizeof liste - n, "%s%s", images > 0 ? ", " : "", m.image);
        ++images;
    }
    if (sansmatiere > 0)
        dire("attention : %ld face%s texturee%s sans matiere (usemtl) : paires de texture ecrites "
             "pour %d x %d.\n",
             sansmatiere, pluriel(sansmatiere), pluriel(sansmatiere), matieres::TAILLEDEFAUT,
             matieres::TAILLEDEFAUT);
    if (horstable > 0)
        dire("attention : %ld face%s texturee%s de matieres au-dela des %d que le convertisseur "
             "tient : paires de texture ecrites pour %d x %d.\n",
             horstable, pluriel(horstable), pluriel(horstable), matieres::MAXMATIERES,
             matieres::TAILLEDEFAUT, matieres::TAILLEDEFAUT);
    if (nomtroplong > 0)
        dire("attention : %ld face%s texturee%s d'une matiere au nom de plus de %zu caracteres : "
             "paires de texture ecrites pour %d x %d.\n",
             nomtroplong, pluriel(nomtroplong), pluriel(nomtroplong), matieres::TAILLENOM - 1,
             matieres::TAILLEDEFAUT, matieres::TAILLEDEFAUT);
    if (images > 1)
        dire("attention : les faces texturees prennent %d images (%s) ; une liste se dessine avec "
             "la seule texture liee : sur la DS, toutes ses faces la prendront.\n",
             images, liste);
    if (partielles > 0)
        dire("attention : %ld face%s %s des coins sans sommet de texture dans un modele texture : "
             "ces coins ont la paire (0, 0).\n",
             partielles, pluriel(partielles), partielles > 1 ? "ont" : "a");
}

} // namespace

void paire(const Triangle &triangle, int coin, double &premier, double &second) {
    const int32_t m = triangle.matiere;
    const double largeur = m >= 0 ? matieres::table[m].largeur : matieres::TAILLEDEFAUT;
    const double hauteur = m >= 0 ? matieres::table[m].hauteur : matieres::TAILLEDEFAUT;
    const int32_t t = triangle.textures[coin];
    const float *uv = t >= 0 ? coordonnees[t] : nullptr;
    premier = uv ? (1.0 - static_cast<double>(uv[1])) * hauteur : hauteur;
    second = uv ? static_cast<double>(uv[0]) * largeur : 0;
}

bool estobj(const char *nom) {
    return aextension(nom, "obj");
}

bool lirereel(const char *texte, size_t longueur, float &valeur) {
    const char *p = texte, *fin = texte + longueur;
    if (p < fin && (*p == '+' || *p == '-')) ++p;
    size_t chiffres = 0;
    for (; p < fin && chiffre(*p); ++p)
        ++chiffres;
    if (p < fin && *p == '.')
        for (++p; p < fin && chiffre(*p); ++p)
            ++chiffres;
    if (chiffres == 0) return false;
    if (p < fin && (*p == 'e' || *p == 'E')) {
        if (++p < fin && (*p == '+' || *p == '-')) ++p;
        const char *exposant = p;
        while (p < fin && chiffre(*p))
            ++p;
        if (p == exposant) return false;
    }
    if (p != fin) return false;
    // from_chars takes a minus sign but no plus.
    const char *debut = texte[0] == '+' ? texte + 1 : texte;
    float f;
    const auto r = std::from_chars(debut, fin, f, std::chars_format::general);
    if (r.ec == std::errc() && r.ptr == fin) {
        valeur = f;
        return true;
    }
    // Beyond the float range, one way or the other: strtof says which, and rounds.
    char copie[TAILLEMOT];
    if (longueur >= sizeof copie) return false;
    std::memcpy(copie, texte, longueur);
    copie[longueur] = '\0';
    f = std::strtof(copie, nullptr);
    if (std::isinf(f)) return false;
    valeur = f;
    return true;
}

const char *sanstriangle() {
    static char raison[96];
    if (laissees == 0)
        std::snprintf(raison, sizeof raison, "le modele n'a aucune face (instruction f)");
    else
        std::snprintf(raison, sizeof raison, "%s %ld face%s %s laissee%s de cote",
                      laissees > 1 ? "ses" : "sa", laissees, pluriel(laissees),
                      laissees > 1 ? "sont toutes" : "est", pluriel(laissees));
    return raison;
}

namespace {

// Every table and count back to a model not yet read.
void commencer(const char *nommodele) {
    nsommets = ncoordonnees = nnormales = ntriangles = nquads = 0;
    aveccouleurs = false;
    problemes = laissees = faces = texturees = partielles = sansmatiere = horstable = nomtroplong =
        0;
    passeesl = passeesp = inconnues = {};
    aparle = false;
    matierecourante = -1;
    premiere = enattente = 0;
    std::memset(utilisees, 0, sizeof utilisees);
    grandespages(sommets, sizeof sommets);
    grandespages(coordonnees, sizeof coordonnees);
    grandespages(normales, sizeof normales);
    grandespages(couleurs, sizeof couleurs);
    grandespages(triangles, sizeof triangles);
    matieres::oublier();
    matieres::dossierde(nommodele, dossier, sizeof dossier);
}

} // namespace

bool lireobj(FILE *entree, const char *nommodele, char *raison, size_t taille) {
    commencer(nommodele);
    const bool lu = lire(entree, nommodele, raison, taille);
    bilanlecture();
    if (!lu) return false;
    if (texturees > 0) mesurertextures();
    return true;
}

int imagesdumodele(FILE *entree, const char *nommodele, const char **images, int place,
                   char *raison, size_t taille) {
    commencer(nommodele);
    // What the model's conversion says is meshpress's to say.
    muet = true;
    const bool lu = lire(entree, nommodele, raison, taille);
    muet = false;
    if (!lu) return -1;
    int n = 0;
    for (int i = 0; i < matieres::nombre && texturees > 0; ++i) {
        if (!utilisees[i]) continue;
        matieres::Matiere &m = matieres::table[i];
        matieres::mesurer(m, dossier);
        bool nouvelle = m.image[0] != '\0';
        for (int j = 0; j < n && nouvelle; ++j)
            nouvelle = std::strcmp(images[j], m.image) != 0;
        if (nouvelle && n < place) images[n++] = m.image;
    }
    return n;
}

} // namespace obj
