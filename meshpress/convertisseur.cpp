#include "convertisseur.h"
#include "identificateur.h"

#include <cerrno>
#include <cstring>

#include "ecriture.h"
#include "lecture.h"
#include "lecturemodele.h"
#include "listeobj.h"
#include "maillage.h"
#include "messages.h"
#include "modele.h"
#include "mot.h"
#include "obj.h"
#include "paquet.h"
#include "systeme.h"

int avectexture = 0;

namespace {

constexpr char MOTTEXTURE[] = "Textures:";
constexpr size_t LONGUEURMOT = sizeof MOTTEXTURE - 1;
constexpr size_t MAXITEM = 255;
char zone[TAILLELECTURE + MAXITEM + 1];

} // namespace

// The item "Textures:" is found by searching the text for it and looking at what surrounds it:
// white space (or the start) before it, and after it white space, the end, or a NUL that ends
// the item's text as a C string, provided the whole item is short enough to be one. The pass
// stops at the first such item: the rest could not change the flag.
void detectertexture(FILE *detection) {
    size_t garde = 0;  // characters kept from the previous read, at the start of zone
    bool debut = true; // zone starts at the start of the file
    for (;;) {
        const size_t lus = std::fread(zone + garde, 1, sizeof zone - garde, detection);
        const size_t total = garde + lus;
        const bool finfichier = lus == 0;
        size_t reprise = total > LONGUEURMOT ? total - LONGUEURMOT : 0; // where to keep from
        for (size_t i = 0; i + LONGUEURMOT <= total;) {
            const char *trouve = chercher(zone + i, total - i, MOTTEXTURE, LONGUEURMOT);
            if (trouve == nullptr) break;
            const size_t position = static_cast<size_t>(trouve - zone);
            i = position + 1;
            if (position == 0 ? !debut : !estblanc(static_cast<unsigned char>(zone[position - 1])))
                continue;
            size_t fin = position + LONGUEURMOT;
            if (fin < total && !estblanc(static_cast<unsigned char>(zone[fin])) &&
                zone[fin] != '\0')
                continue;
            while (fin < total && !estblanc(static_cast<unsigned char>(zone[fin])) &&
                   fin - position <= MAXITEM)
                ++fin;
            if (fin - position > MAXITEM) continue;
            if (fin == total && !finfichier) {
                // The item goes on in the next read: keep it whole.
                reprise = position - (position > 0);
                break;
            }
            avectexture = 1;
            return;
        }
        if (finfichier) return;
        // Keep the end that may begin an item, with the character before it.
        if (reprise > 0) --reprise;
        debut = debut && reprise == 0;
        garde = total - reprise;
        std::memmove(zone, zone + reprise, garde);
    }
}

namespace {

// The list the options ask for: the model read into its tables, built into the mesh, packed,
// written as C text or as words.
bool nouvelleliste(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau,
                   const char *nommodele, char *raison, size_t taille) {
    if (obj::estobj(nommodele)) {
        if (!obj::lireobj(entree, nommodele, raison, taille)) return false;
        maillage::construireobj();
        obj::direhorstexture(maillage::horstexture);
    } else {
        detectertexture(detection);
        if (!lecturemodele::lire(entree, avectexture == 1, raison, taille)) return false;
        maillage::construiremodele();
    }
    if (!paquet::empaqueter(maillage::options.compacte)) {
        std::snprintf(raison, taille, "memoire insuffisante pour les mots de la liste");
        return false;
    }
    if (maillage::options.binaire) {
        paquet::ecrirebinaire(sortie);
    } else {
        char options[160];
        maillage::decrire(options, sizeof options);
        paquet::ecriretexte(sortie, nomtableau, options);
    }
    return true;
}

} // namespace

bool convertirfichier(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau,
                      const char *nommodele, char *raison, size_t taille) {
    if (maillage::nouvelleforme())
        return nouvelleliste(entree, detection, sortie, nomtableau, nommodele, raison, taille);
    if (obj::estobj(nommodele)) {
        if (!obj::convertirobj(entree, sortie, nomtableau, nommodele, raison, taille)) return false;
        ecrirefin(sortie);
        return true;
    }
    detectertexture(detection);
    if (avectexture == 1)
        modele::convertiravectexture(entree, sortie, nomtableau);
    else
        modele::convertirsanstexture(entree, sortie, nomtableau);
    ecrirefin(sortie);
    return true;
}

namespace {

void erreur(const char *raison) {
    echec("meshpress", "%s.", raison);
}

// Reads one answer (quoi: which one); false, why in raison, when the console ends first or the
// word does not fit.
bool lirereponse(char *tampon, size_t taille, const char *quoi, char *raison, size_t place) {
    std::fflush(stdout);
    const long longueur = lirenom(tampon, taille);
    if (longueur < 0)
        std::snprintf(raison, place, "la console s'est fermee avant %s", quoi);
    else if (longueur >= static_cast<long>(taille))
        std::snprintf(raison, place, "%s a %ld caracteres, %zu au plus sont permis", quoi, longueur,
                      taille - 1);
    else
        return true;
    return false;
}

// Why a model gave no triangle: an empty file, or no entry that writes one.
const char *sanstriangle(const char *nommodele, long long taille) {
    if (taille == 0) return "le fichier du modele est vide";
    if (obj::estobj(nommodele)) return obj::sanstriangle();
    return avectexture == 1 ? "le modele, texture, n'a aucune entree FaceTextures: (ses Faces: ne "
                              "s'ecrivent qu'avec elles)"
                            : "le modele n'a aucune entree Faces:";
}

// What the DS will draw otherwise than the user thinks, and what will not compile, said on
// standard error once the transcript is out; the file stays as the format makes it.
void avertir(const Bilan &b, const char *nommodele, long long taille) {
    std::fflush(stdout);
    const bool nouvelle = maillage::nouvelleforme();
    if (b.nonfinis > 0 && nouvelle)
        imprimer(stderr,
                 "\nattention : %lld valeur%s du modele %s nan ou inf : la liste les ecrit "
                 "comme 0 ; corrigez-les dans le modele.\n",
                 b.nonfinis, b.nonfinis > 1 ? "s" : "", b.nonfinis > 1 ? "sont" : "est");
    else if (b.nonfinis > 0)
        imprimer(stderr,
                     "\nattention : %lld valeur%s du modele %s nan ou inf : la liste les ecrit "
                     "telles quelles, floatov16(nan) par exemple, et aucun compilateur C ne "
                     "l'acceptera ; corrigez-les dans le modele.\n",
                     b.nonfinis, b.nonfinis > 1 ? "s" : "", b.nonfinis > 1 ? "sont" : "est");
    // An OBJ comes from a modelling tool, whose export scale is where the model is made to fit.
    if (b.horslimites > 0)
        imprimer(
            stderr,
            "\nattention : %lld valeurs de sommet hors de l'intervalle de VERTEX16 (-8 <= v < 8), "
            "la plus grande de %f en valeur absolue ; sur la DS elles deborderont. "
            "A l'echelle %g, le modele tiendrait%s.\n",
            b.horslimites, b.plusgrande, (8 - 1.0 / 4096) / b.plusgrande,
            nouvelle ? " (--echelle) ; --echelle=ajuster l'y ramene, la liste lui rendant sa "
                       "taille"
            : obj::estobj(nommodele) ? " : exportez-le a cette echelle depuis l'outil de modelage "
                                       "(dans Blender : Scale, dans File > Export > Wavefront "
                                       "(.obj))"
                                     : "");
    if (b.triangles == 0)
        imprimer(stderr, "\nattention : aucun triangle : %s ; la liste ne dessine rien.\n",
                     sanstriangle(nommodele, taille));
    if (4 * b.mots > 1 << 20)
        imprimer(stderr,
                     "\nattention : le tableau fait %.1f Mio (%lld mots de 4 octets) ; la memoire "
                     "principale de la DS en a 4 en tout, programme et donnees compris.\n",
                     4.0 * static_cast<double>(b.mots) / (1 << 20), b.mots);
    if (nouvelle && (paquet::polygones > 2048 || paquet::sommetsenvoyes > 6144))
        imprimer(stderr,
                 "\nattention : %lld polygones, %lld sommets envoyes : plus que la DS n'en dessine "
                 "en une image (2048 polygones, 6144 sommets).\n",
                 static_cast<long long>(paquet::polygones),
                 static_cast<long long>(paquet::sommetsenvoyes));
    else if (!nouvelle && b.triangles > 2048)
        imprimer(
            stderr,
            "\nattention : %lld triangles (%lld sommets), plus que la DS n'en dessine en une image "
            "(2048 triangles, 6144 sommets).\n",
            b.triangles, 3 * b.triangles);
}

// An array name that is no C identifier is written as the format makes it, and said: the DS
// program that includes the file would not compile.
void avertirnom(const char *base, const char *nomsortie) {
    const char *pourquoi;
    char propose[258];
    if (identificateurc(base, &pourquoi, propose, sizeof propose)) return;
    std::fflush(stdout);
    imprimer(stderr,
                 "\nattention : le nom du tableau, %s, n'est pas un identificateur C (%s) : un "
                 "programme DS qui inclut %s ne compilera pas. Il faudrait %s : convertir sous "
                 "ce nom de base%s.\n",
                 base, pourquoi, nomsortie, propose,
                 std::strpbrk(base, "/\\") ? ", depuis le dossier ou le fichier doit aller" : "");
}

} // namespace

void convertisseur() {
    char nomentree[256];
    char base[254];
    char raison[2 * sizeof nomentree + 256] = "";
    std::fputs("nom du fichier a convertir (mettre l'extension): ", stdout);
    const bool entreelue =
        lirereponse(nomentree, sizeof nomentree, "le nom du modele", raison, sizeof raison);
    std::fputs("enregistrer sous (pas d'extension): ", stdout);
    char raisonbase[128] = "";
    const bool baselue =
        lirereponse(base, sizeof base, "le nom de base", raisonbase, sizeof raisonbase);
    if (!entreelue) return erreur(raison);
    if (!baselue) return erreur(raisonbase);

    char nomsortie[sizeof base + 4];
    std::snprintf(nomsortie, sizeof nomsortie, "%s.%s", base,
                  maillage::options.binaire ? "bin" : "h");
    afficher(stdout, base);
    std::fputs(".c", stdout);
    const auto echec = [&](const char *quoi, const char *nom, int numero) {
        std::snprintf(raison, sizeof raison, "%s %s : %s", quoi, nom, raisonsysteme(numero));
        erreur(raison);
    };

    FILE *entree = ouvrirlecture(nomentree);
    if (entree == nullptr) return echec("impossible d'ouvrir le modele", nomentree, errno);
    // Opening the output for writing would empty the model before it is read.
    if (memefichier(entree, nomsortie)) {
        std::fclose(entree);
        std::snprintf(raison, sizeof raison,
                      "le modele %s est le fichier de sortie %s lui-meme : l'ecrire l'effacerait "
                      "avant qu'il soit lu",
                      nomentree, nomsortie);
        return erreur(raison);
    }
    // In binary mode: the same bytes on every system, "\n" line ends included.
    FILE *sortie = ouvrirfichier(nomsortie, "wb");
    if (sortie == nullptr) {
        const int numero = errno;
        std::fclose(entree);
        return echec("impossible de creer", nomsortie, numero);
    }
    FILE *detection = ouvrirlecture(nomentree);
    if (detection == nullptr) {
        const int numero = errno;
        std::fclose(entree);
        std::fclose(sortie);
        return echec("impossible d'ouvrir une seconde fois le modele", nomentree, numero);
    }
    errno = 0;
    const bool converti =
        convertirfichier(entree, detection, sortie, base, nomentree, raison, sizeof raison);
    const long long taille = std::ftell(entree);
    // A read error (a bad disk) ends the reading as the end of the file would, and a full disk
    // shows up at the close at the latest: either way the file is incomplete, no success.
    const int numero = errno;
    const bool lecture = std::ferror(entree) || std::ferror(detection);
    bool ecriture = std::ferror(sortie);
    std::fclose(detection);
    std::fclose(entree);
    const int numerofermeture = std::fclose(sortie) != 0 ? errno : 0;
    if (!converti) return erreur(raison);
    if (lecture) return echec("lecture impossible du modele", nomentree, numero);
    if (ecriture || numerofermeture != 0)
        return echec("ecriture impossible de", nomsortie, ecriture ? numero : numerofermeture);
    const Bilan bilan =
        !maillage::nouvelleforme()
            ? prendrebilan()
            : Bilan{maillage::horslimites, maillage::plusgrande, maillage::nonfinis,
                    maillage::ntriangles, paquet::nmots};
    avertir(bilan, nomentree, taille);
    avertirnom(base, nomsortie);
    attendretouche();
}
