#include "imagescles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "messages.h"
#include "mot.h"
#include "scene.h"
#include "systeme.h"

namespace {

constexpr size_t TAILLENOM = 256;
// Set once every file is open, cleared when they are closed: the footers are written once,
// and never when start-up ended before all the files were made.
bool fichiersouverts = false;
// The base name, for the files' names in what is said of them.
char base[TAILLENOM];

// Room for any base name held and any file number: nothing is cut.
using Nom = char[TAILLENOM + 16];
void nomfichier(Nom &nom, int i) {
    std::snprintf(nom, sizeof nom, "%s%d.txt", base, i);
}

} // namespace

bool creerfichiers(const char *nombase) {
    std::snprintf(base, sizeof base, "%s", nombase);
    Nom nom;
    // The base name must leave room for the largest file number and ".txt".
    if (std::strlen(nombase) >= sizeof base ||
        std::snprintf(nom, sizeof nom, "%s%d.txt", nombase, nombreobjet - 1) >=
            static_cast<int>(TAILLENOM)) {
        echec("stagehand",
              "le nom de base %s ne laisse pas la place du numero %d et de .txt : %zu caracteres "
              "au plus en tout.",
              montrer(nombase, std::strlen(nombase)), nombreobjet - 1, TAILLENOM - 1);
        return false;
    }
    for (int i = 0; i < nombreobjet; ++i) {
        nomfichier(nom, i);
        std::printf("%d%s", i, nom);
        std::fflush(stdout);
        attendretouche();
        fichier2[i] = std::fopen(nom, "w");
        if (fichier2[i] == nullptr) {
            const int raison = errno;
            // The files made so far stay on disk, empty, and are let go.
            for (int j = 0; j < i; ++j) {
                std::fclose(fichier2[j]);
                fichier2[j] = nullptr;
            }
            echec("stagehand", "impossible de creer %s : %s.", nom, raisonsysteme(raison));
            return false;
        }
    }
    fichiersouverts = true;
    return true;
}

bool ouvrirfichiers() {
    std::fputs("enregistrer sous (sans extension) : ", stdout);
    std::fflush(stdout);
    char nombase[TAILLENOM];
    const long longueur = lirelemot(stdin, nombase, sizeof nombase);
    if (longueur < 0) {
        signaler("stagehand", true,
                 "la console s'est fermee avant le nom de base ; le programme s'arrete.");
        return false;
    }
    if (longueur >= static_cast<long>(sizeof nombase)) {
        echec("stagehand", "le nom de base a %ld caracteres, %zu au plus sont permis.", longueur,
              sizeof nombase - 1);
        return false;
    }
    return creerfichiers(nombase);
}

void enregistrerposition() {
    ++nombre;
    bool echoue = false;
    for (int i = 0; i < nombreobjet; ++i) {
        FILE *f = fichier2[i];
        const float *t = translate[i + 1];
        const float *r = rotate[i + 1];
        if (nombre == 1) std::fprintf(f, "void position%d(int nombre){\n", i);
        std::fprintf(f, nombre == 1 ? "if(nombre == %d){\n" : "else if(nombre == %d){\n", nombre);
        std::fprintf(f, "glTranslate3f32(floatof32(%f),floatof32(%f), floatof32(%f));\n", t[0],
                     t[1], t[2]);
        std::fprintf(f, "glRotateX(%f);\n", r[0]);
        std::fprintf(f, "glRotateY(%f);\n", r[1]);
        std::fprintf(f, "glRotateZ(%f);\n", r[2]);
        std::fputs("}\n", f);
        // Each keyframe reaches the disk at once: a crash later loses nothing written so far.
        if (!echoue && (std::fflush(f) != 0 || std::ferror(f))) {
            echoue = true;
            Nom nom;
            nomfichier(nom, i);
            echec("stagehand",
                  "ecriture impossible de l'image cle %d dans %s : %s ; le programme continue.",
                  nombre, nom, raisonsysteme(errno));
        }
    }
}

void fermerfichiers() {
    if (!fichiersouverts) return;
    fichiersouverts = false;
    // A function without its closing brace does not compile: a failure is said.
    bool echoue = false;
    for (int i = 0; i < nombreobjet; ++i) {
        const bool ecrit = std::fputs("}\n", fichier2[i]) != EOF;
        const bool ferme = std::fclose(fichier2[i]) == 0;
        fichier2[i] = nullptr;
        if (!echoue && (!ecrit || !ferme)) {
            echoue = true;
            Nom nom;
            nomfichier(nom, i);
            echec("stagehand",
                  "ecriture impossible de l'accolade finale de %s : %s ; il ne compilera pas.", nom,
                  raisonsysteme(errno));
        }
    }
    // Without a keyframe a file holds its closing brace alone: no function, it does not compile.
    if (nombre == 0 && nombreobjet > 0) {
        Nom premier, dernier;
        nomfichier(premier, 0);
        nomfichier(dernier, nombreobjet - 1);
        signaler(
            "stagehand", false,
            "attention : aucune image cle enregistree : %s%s%s ne tien%s que l'accolade finale "
            "et ne compile%s pas ; appuyez sur Entree une fois au moins avant Echap.",
            premier, nombreobjet > 1 ? " a " : "", nombreobjet > 1 ? dernier : "",
            nombreobjet > 1 ? "nent" : "t", nombreobjet > 1 ? "ront" : "ra");
    }
}
