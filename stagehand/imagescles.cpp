#include "imagescles.h"

#include <cstdio>
#include <cstring>

#include "mot.h"
#include "scene.h"
#include "systeme.h"

namespace {

constexpr size_t TAILLENOM = 256;
// Set once every file is open, cleared when they are closed: the footers are written once,
// and never when start-up ended before all the files were made.
bool fichiersouverts = false;

void erreur() {
    std::fputs("erreur", stdout);
    std::fflush(stdout);
}

} // namespace

bool creerfichiers(const char *base) {
    char nom[TAILLENOM];
    // The base name must leave room for the largest file number and ".txt".
    if (std::snprintf(nom, sizeof nom, "%s%d.txt", base, nombreobjet - 1) >=
        static_cast<int>(sizeof nom)) {
        erreur();
        return false;
    }
    for (int i = 0; i < nombreobjet; ++i) {
        std::snprintf(nom, sizeof nom, "%s%d.txt", base, i);
        std::printf("%d%s", i, nom);
        std::fflush(stdout);
        attendretouche();
        fichier2[i] = std::fopen(nom, "w");
        if (fichier2[i] == nullptr) {
            // The files made so far stay on disk, empty, and are let go.
            for (int j = 0; j < i; ++j) {
                std::fclose(fichier2[j]);
                fichier2[j] = nullptr;
            }
            erreur();
            return false;
        }
    }
    fichiersouverts = true;
    return true;
}

bool ouvrirfichiers() {
    std::fputs("enregistrer sous (sans extension) : ", stdout);
    std::fflush(stdout);
    char base[TAILLENOM];
    const long longueur = lirelemot(stdin, base, sizeof base);
    if (longueur < 0) return false;
    if (longueur >= static_cast<long>(sizeof base)) {
        erreur();
        return false;
    }
    return creerfichiers(base);
}

void enregistrerposition() {
    ++nombre;
    bool echec = false;
    for (int i = 0; i < nombreobjet; ++i) {
        FILE *f = fichier2[i];
        const float *t = translate[i + 1];
        const float *r = rotate[i + 1];
        if (nombre == 1) std::fprintf(f, "void position%d(int nombre){\n", i);
        std::fprintf(f, nombre == 1 ? "if(nombre == %d){\n" : "else if(nombre == %d){\n", nombre);
        std::fprintf(f, "glTranslate3f32(floatof32(%f),floatof32(%f), floatof32(%f));\n", t[0], t[1],
                     t[2]);
        std::fprintf(f, "glRotateX(%f);\n", r[0]);
        std::fprintf(f, "glRotateY(%f);\n", r[1]);
        std::fprintf(f, "glRotateZ(%f);\n", r[2]);
        std::fputs("}\n", f);
        // Each keyframe reaches the disk at once: a crash later loses nothing written so far.
        if (std::fflush(f) != 0 || std::ferror(f)) echec = true;
    }
    if (echec) erreur();
}

void fermerfichiers() {
    if (!fichiersouverts) return;
    fichiersouverts = false;
    // A function without its closing brace does not compile: a failure is said.
    bool echec = false;
    for (int i = 0; i < nombreobjet; ++i) {
        if (std::fputs("}\n", fichier2[i]) == EOF) echec = true;
        if (std::fclose(fichier2[i]) != 0) echec = true;
        fichier2[i] = nullptr;
    }
    if (echec) erreur();
}
