#include "matieres.h"

#include <cstdio>
#include <cstring>

#include "images.h"
#include "lignes.h"
#include "mot.h"
#include "obj.h"
#include "systeme.h"

namespace matieres {

Matiere table[MAXMATIERES];
int nombre = 0;
char bibliotheques[MAXBIBLIOTHEQUES][TAILLECHEMIN];
int nombrebibliotheques = 0;

namespace {

char tampon[1 << 14];

bool absolu(const char *nom) {
#ifdef _WIN32
    if (nom[0] != '\0' && nom[1] == ':') return true;
    if (nom[0] == '\\') return true;
#endif
    return nom[0] == '/';
}

// The file nom names from dossier, into chemin; false when it does not fit.
bool chemin(const char *nom, const char *dossier, char *resultat, size_t taille) {
    const int n = std::snprintf(resultat, taille, "%s%s", absolu(nom) ? "" : dossier, nom);
    return n >= 0 && static_cast<size_t>(n) < taille;
}

// Whether nom names a regular file. A name written on Windows, with '\' between its folders, is
// tried with '/' first, and kept so when that names one: every system then shows it alike.
bool trouverfichier(char *nom) {
    if (std::strchr(nom, '\\') != nullptr) {
        char autre[TAILLECHEMIN];
        std::snprintf(autre, sizeof autre, "%s", nom);
        for (char *c = autre; *c; ++c)
            if (*c == '\\') *c = '/';
        if (estordinaire(autre)) {
            std::strcpy(nom, autre);
            return true;
        }
    }
    return estordinaire(nom);
}

// How many values the options of map_Kd take: at most that many, the later ones optional
// numbers.
int valeursoption(const Mot &mot) {
    static const struct {
        const char *nom;
        int valeurs;
    } options[] = {{"-blendu", 1}, {"-blendv", 1},  {"-bm", 1},  {"-boost", 1}, {"-cc", 1},
                   {"-clamp", 1},  {"-imfchan", 1}, {"-mm", 2},  {"-o", 3},     {"-s", 3},
                   {"-t", 3},      {"-texres", 1},  {"-type", 1}};
    for (const auto &o : options)
        if (egal(mot, o.nom)) return o.valeurs;
    return 0;
}

bool estnombre(const Mot &mot) {
    if (mot.longueur == 0) return false;
    for (size_t i = 0; i < mot.longueur; ++i)
        if (std::strchr("0123456789+-.eE", mot.texte[i]) == nullptr) return false;
    return true;
}

// map_Kd [options] file: the file's name, which may hold blanks, after the options.
void lireimage(Lignes &l, Matiere &m, const char *dossier) {
    char nom[TAILLECHEMIN];
    Mot mot;
    bool lu = motsuivant(l, mot);
    while (lu && mot.longueur > 1 && mot.texte[0] == '-') {
        const int valeurs = valeursoption(mot);
        lu = motsuivant(l, mot);
        // The first value is the option's whatever it is ("on", "l"); the others only when
        // they are numbers.
        for (int k = 0; k < valeurs && lu && (k == 0 || estnombre(mot)); ++k)
            lu = motsuivant(l, mot);
    }
    if (!lu || mot.tronque) return;
    // The name as written, its blanks and tabs kept: another spacing would name another file.
    std::memcpy(nom, mot.texte, mot.longueur);
    if (!restebrut(l, nom + mot.longueur, sizeof nom - mot.longueur)) return;
    std::snprintf(m.ecrite, sizeof m.ecrite, "%s", nom);
    std::snprintf(m.bibliotheque, sizeof m.bibliotheque, "%s", dossier);
    if (!chemin(nom, dossier, m.image, sizeof m.image)) m.image[0] = '\0';
}

// An image that cannot be opened as written is looked for by its name alone, beside the library,
// then beside the model: a map_Kd written on another machine names folders that are not here.
bool chercherimage(Matiere &m, const char *dossiermodele) {
    if (trouverfichier(m.image)) return true;
    const char *nom = nomseul(m.ecrite);
    const char *const dossiers[] = {m.bibliotheque, dossiermodele};
    for (const char *dossier : dossiers) {
        char autre[TAILLECHEMIN];
        if (*nom == '\0' || !chemin(nom, dossier, autre, sizeof autre) || !estordinaire(autre))
            continue;
        std::snprintf(m.introuvable, sizeof m.introuvable, "%s", m.ecrite);
        std::strcpy(m.image, autre);
        return true;
    }
    return false;
}

// Kd r [g b]: g and b are r when left out. Kd spectral and Kd xyz, and a Kd whose numbers
// cannot all be read, give no colour.
void lirekd(Lignes &l, Matiere &m) {
    float kd[3];
    Mot mot;
    int n = 0;
    while (n < 3 && motsuivant(l, mot))
        if (mot.tronque || !obj::lirereel(mot.texte, mot.longueur, kd[n++])) return;
    if (n == 2 || (n == 3 && motsuivant(l, mot)) || n == 0) return;
    m.kd[0] = kd[0];
    m.kd[1] = n == 3 ? kd[1] : kd[0];
    m.kd[2] = n == 3 ? kd[2] : kd[0];
    m.aveckd = true;
}

} // namespace

void oublier() {
    nombre = nombrebibliotheques = 0;
}

void dossierde(const char *nom, char *dossier, size_t taille) {
    const char *fin = std::strrchr(nom, '/');
#ifdef _WIN32
    if (const char *b = std::strrchr(nom, '\\'); b != nullptr && (fin == nullptr || b > fin))
        fin = b;
#endif
    const size_t n = fin == nullptr ? 0 : static_cast<size_t>(fin - nom) + 1;
    const size_t copie = n < taille ? n : 0;
    std::memcpy(dossier, nom, copie);
    dossier[copie] = '\0';
}

int trouver(const char *nom) {
    for (int i = 0; i < nombre; ++i)
        if (std::strcmp(table[i].nom, nom) == 0) return i;
    if (nombre == MAXMATIERES) return HORSTABLE;
    Matiere &m = table[nombre];
    std::snprintf(m.nom, sizeof m.nom, "%s", nom);
    m.definie = false;
    m.image[0] = m.ecrite[0] = m.raison[0] = m.introuvable[0] = '\0';
    m.largeur = m.hauteur = TAILLEDEFAUT;
    m.aveckd = false;
    return nombre++;
}

Lecture lirebibliotheque(const char *nom, const char *dossierobj, char *raison, size_t taille) {
    char fichier[TAILLECHEMIN], dossier[TAILLECHEMIN];
    if (!chemin(nom, dossierobj, fichier, sizeof fichier)) return INTROUVABLE;
    FILE *f = trouverfichier(fichier) ? ouvrirlecture(fichier) : nullptr;
    if (f == nullptr) return INTROUVABLE;
    if (nombrebibliotheques < MAXBIBLIOTHEQUES)
        std::strcpy(bibliotheques[nombrebibliotheques++], fichier);
    dossierde(fichier, dossier, sizeof dossier);
    Lignes l;
    ouvrirlignes(l, f, tampon, sizeof tampon);
    if (const char *c = codage(l)) {
        std::fclose(f);
        refusercodage("la bibliotheque de matieres", fichier, c, raison, taille);
        return REFUSEE;
    }
    Matiere *courante = nullptr;
    for (Mot mot; instructionsuivante(l, mot);) {
        if (egal(mot, "newmtl")) {
            // A name too long to be held whole is no material: its faces are said at usemtl.
            char nommatiere[TAILLENOM];
            const int i = restedelinstruction(l, nommatiere, sizeof nommatiere)
                              ? trouver(nommatiere)
                              : NOMTROPLONG;
            courante = i < 0 ? nullptr : &table[i];
            // The first library to define a material gives it.
            if (courante != nullptr && courante->definie) courante = nullptr;
            if (courante != nullptr) courante->definie = true;
        } else if (egal(mot, "map_Kd") && courante != nullptr) {
            lireimage(l, *courante, dossier);
        } else if (egal(mot, "Kd") && courante != nullptr) {
            lirekd(l, *courante);
        }
    }
    std::fclose(f);
    return LUE;
}

void mesurer(Matiere &m, const char *dossiermodele) {
    m.largeur = m.hauteur = TAILLEDEFAUT;
    m.raison[0] = m.introuvable[0] = '\0';
    const auto cote = [](int c) { return c >= 8 && c <= 1024 && (c & (c - 1)) == 0; };
    int l = 0, h = 0;
    char pourquoi[128];
    if (!m.definie)
        std::snprintf(m.raison, sizeof m.raison, "definie dans aucun fichier mtllib lu");
    else if (m.image[0] == '\0')
        std::snprintf(m.raison, sizeof m.raison, "pas d'image map_Kd");
    else if (!chercherimage(m, dossiermodele))
        std::snprintf(m.raison, sizeof m.raison, "image %s introuvable", m.image);
    else if (const images::Lecture lu = images::taille(m.image, l, h, pourquoi, sizeof pourquoi);
             lu == images::INCONNUE)
        std::snprintf(m.raison, sizeof m.raison,
                      "taille de l'image %s illisible (PNG, BMP, JPEG ou TGA attendu)", m.image);
    else if (lu == images::IMPOSSIBLE)
        std::snprintf(m.raison, sizeof m.raison, "taille de l'image %s illisible : %s", m.image,
                      pourquoi);
    else if (!cote(l) || !cote(h))
        std::snprintf(m.raison, sizeof m.raison,
                      "image %s de %d x %d : les cotes d'une texture DS sont des puissances de "
                      "deux de 8 a 1024",
                      m.image, l, h);
    else
        m.largeur = l, m.hauteur = h;
}

} // namespace matieres
