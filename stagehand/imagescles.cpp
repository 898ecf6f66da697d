#include "imagescles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>

#include "messages.h"
#include "mot.h"
#include "relecture.h"
#include "scene.h"
#include "systeme.h"

bool reprendre = false;

namespace {

constexpr size_t TAILLENOM = 256;
// Windows takes "\\" between folders too (elsewhere it is a character of a name).
#ifdef _WIN32
constexpr bool SEPARATEURWINDOWS = true;
#else
constexpr bool SEPARATEURWINDOWS = false;
#endif
// Set once every file is open, cleared when they are closed: the footers are written once,
// and never when start-up ended before all the files were made.
bool fichiersouverts = false;
// The base name, for the files' names in what is said of them.
char base[TAILLENOM];
// What each file held before this run, as far as it is continued or kept: the objects', then
// the camera's.
Fichiercles lus[MAXOBJETS + 1];

// The files are numbered from 0, one an object; the last, number nombreobjet, is the camera's.
bool estcamera(int i) {
    return i == nombreobjet;
}

// Room for any base name held, any file number and "_camera.txt": nothing is cut.
using Nom = char[TAILLENOM + 16];
// The camera's file, base_camera.txt: no object's, whose names end in a number then ".txt".
void nomfichier(Nom &nom, int i) {
    if (estcamera(i))
        std::snprintf(nom, sizeof nom, "%s_camera.txt", base);
    else
        std::snprintf(nom, sizeof nom, "%s%d.txt", base, i);
}

// "base0.txt et base_camera.txt", or "base0.txt a base2.txt et base_camera.txt" for every file.
using Noms = char[3 * sizeof(Nom) + 8];
void nomsfichiers(Noms &noms) {
    Nom premier, dernier, camera;
    nomfichier(premier, 0);
    nomfichier(dernier, nombreobjet - 1);
    nomfichier(camera, nombreobjet);
    std::snprintf(noms, sizeof noms, "%s%s%s et %s", premier, nombreobjet > 1 ? " a " : "",
                  nombreobjet > 1 ? dernier : "", camera);
}

// A view: the eye, the direction it looks along, and the two angles the direction comes from.
struct Vue {
    float oeil[3], visee[3], angles[2];
};
// The view at the start: the eye 0.4 above the origin, looking towards negative z.
constexpr Vue VUEDEPART = {{0, 0.4f, 0}, {0, 0, -1}, {0, 0}};

// One keyframe of the camera's file: its function's header and the projection before the first.
// The view as the window's (its centre the eye plus the direction, in double), for the DS's
// 4:3 screen; the angles, exactly, for -r.
void ecrirevue(FILE *f, int image, const Vue &v) {
    if (image == 1)
        std::fputs("void camera(int nombre){\n"
                   "glMatrixMode(GL_PROJECTION);\n"
                   "glLoadIdentity();\n"
                   "gluPerspective(45, 256.0 / 192.0, 0.1, 1000);\n"
                   "glMatrixMode(GL_MODELVIEW);\n"
                   "glLoadIdentity();\n",
                   f);
    std::fprintf(f, image == 1 ? "if(nombre == %d){\n" : "else if(nombre == %d){\n", image);
    double centre[3];
    for (int k = 0; k < 3; ++k)
        centre[k] = static_cast<double>(v.oeil[k]) + static_cast<double>(v.visee[k]);
    std::fprintf(f, "gluLookAt(%f, %f, %f, %f, %f, %f, 0, 1, 0); /* angles %.9g %.9g */\n",
                 static_cast<double>(v.oeil[0]), static_cast<double>(v.oeil[1]),
                 static_cast<double>(v.oeil[2]), centre[0], centre[1], centre[2],
                 static_cast<double>(v.angles[0]), static_cast<double>(v.angles[1]));
    std::fputs("}\n", f);
}

// One keyframe of one file: the function's header before the first, the if form for the first
// and else if after it. In the camera's file, the start view: the scene's start, as the zero
// pose is an object's.
void ecrirebloc(FILE *f, int i, int image, const float *t, const float *r) {
    if (estcamera(i)) {
        ecrirevue(f, image, VUEDEPART);
        return;
    }
    if (image == 1) std::fprintf(f, "void position%d(int nombre){\n", i);
    std::fprintf(f, image == 1 ? "if(nombre == %d){\n" : "else if(nombre == %d){\n", image);
    std::fprintf(f, "glTranslate3f32(floatof32(%f),floatof32(%f), floatof32(%f));\n", t[0], t[1],
                 t[2]);
    std::fprintf(f, "glRotateX(%f);\n", r[0]);
    std::fprintf(f, "glRotateY(%f);\n", r[1]);
    std::fprintf(f, "glRotateZ(%f);\n", r[2]);
    std::fputs("}\n", f);
}

// Reads the file i left by an earlier run, when there is one: false when it is there but is not
// a keyframe file of stagehand, with why in raison.
bool relire(const Nom &nom, int i, char *raison, size_t taille) {
    lus[i] = {-1, 0, {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}, 0};
    if (!existe(nom)) return true;
    // A device or a pipe could hold no end, or keep the opening waiting.
    if (!estordinaire(nom)) {
        std::snprintf(raison, taille, "ce n'est pas un fichier ordinaire");
        return false;
    }
    FILE *f = ouvrirfichier(nom, "rb");
    if (f == nullptr) {
        std::snprintf(raison, taille, "%s", raisonsysteme(errno));
        return false;
    }
    const bool lu = lirefichiercles(f, lus[i], raison, taille, estcamera(i));
    std::fclose(f);
    return lu;
}

// The number of the next copy of nom, as GNU cp --backup=numbered names them: one more than the
// highest nom.~N~ beside it, 1 when there is none.
long generationsuivante(const char *nom) {
    const char *fichier = nom;
    for (const char *p = nom; *p != '\0'; ++p)
        if (*p == '/' || (SEPARATEURWINDOWS && *p == '\\')) fichier = p + 1;
    char dossier[sizeof(Nom)];
    std::snprintf(dossier, sizeof dossier, "%.*s", static_cast<int>(fichier - nom), nom);
    DIR *d = opendir(fichier == nom ? "." : dossier);
    long plus = 0;
    const size_t longueur = std::strlen(fichier);
    for (const dirent *e; d != nullptr && (e = readdir(d)) != nullptr;) {
        const char *n = e->d_name;
        if (std::strncmp(n, fichier, longueur) != 0 || std::strncmp(n + longueur, ".~", 2) != 0)
            continue;
        const char *chiffres = n + longueur + 2, *p = chiffres;
        while (*p >= '0' && *p <= '9')
            ++p;
        // Nine digits at most: the number fits a long anywhere.
        if (p == chiffres || p - chiffres > 9 || std::strcmp(p, "~") != 0) continue;
        plus = std::max(plus, std::atol(chiffres));
    }
    if (d != nullptr) closedir(d);
    return plus + 1;
}

// The earlier file kept whole as its copy number generation, before it is emptied. The copy is
// made with a name no file has, never over one: when another run made that copy meanwhile, the
// next number is taken, and said. False, errno set, when it cannot be; copie names it either way.
bool garder(const char *nom, long generation, char *copie, size_t taille) {
    std::snprintf(copie, taille, "%s.~%ld~", nom, generation);
    FILE *source = ouvrirfichier(nom, "rb");
    if (source == nullptr) return false;
    FILE *cible = nullptr;
    for (long g = generation; cible == nullptr && g < generation + 100; ++g) {
        std::snprintf(copie, taille, "%s.~%ld~", nom, g);
        cible = creerexclusif(copie);
        if (cible == nullptr && errno != EEXIST) break;
        if (cible != nullptr && g > generation)
            signaler("stagehand", true, "%s.~%ld~ a ete cree entre-temps : %s est garde dans %s.",
                     nom, generation, nom, copie);
    }
    bool garde = cible != nullptr;
    char tampon[1 << 16];
    for (size_t n; garde && (n = std::fread(tampon, 1, sizeof tampon, source)) > 0;)
        garde = std::fwrite(tampon, 1, n, cible) == n;
    garde = garde && !std::ferror(source);
    const int raison = errno;
    std::fclose(source);
    garde = cible != nullptr && std::fclose(cible) == 0 && garde;
    if (!garde && errno == 0) errno = raison;
    return garde;
}

// -r: every file read before any is touched; the scene goes on after the last keyframe they
// hold, each object at the pose of its last one. False, nothing changed, when one is refused.
bool preparerreprise() {
    int dernier = -1; // the file that set the number of keyframes
    for (int i = 0; i <= nombreobjet; ++i) {
        Nom nom;
        nomfichier(nom, i);
        char raison[256];
        if (!relire(nom, i, raison, sizeof raison)) {
            echec("stagehand",
                  "%s n'est pas un fichier d'images cles de stagehand (%s) : rien n'est repris ni "
                  "change.",
                  nom, raison);
            return false;
        }
        const Fichiercles &c = lus[i];
        if (c.images == 0) continue;
        if (!estcamera(i) && c.fonction != i) {
            echec("stagehand",
                  "%s tient la fonction position%d, celle de l'objet %d, pas position%d : rien "
                  "n'est repris ni change.",
                  nom, c.fonction, c.fonction + 1, i);
            return false;
        }
        if (dernier >= 0 && c.images != nombre) {
            Nom autre;
            nomfichier(autre, dernier);
            echec("stagehand",
                  "%s tient %d images cles et %s %d : ils ne sont pas d'une meme scene ; rien "
                  "n'est repris ni change.",
                  nom, c.images, autre, nombre);
            return false;
        }
        dernier = i;
        nombre = c.images;
        if (estcamera(i)) {
            // The eye as written; the direction from the angles, as the mouse derives it.
            emplacementx = c.vue[0], emplacementy = c.vue[1], emplacementz = c.vue[2];
            tour = c.vue[6], toury = c.vue[7];
            viseex = static_cast<float>(-std::sin(static_cast<double>(tour)));
            viseez = static_cast<float>(-std::cos(static_cast<double>(tour)));
            viseey = static_cast<float>(std::tan(static_cast<double>(toury)));
            continue;
        }
        std::memcpy(translate[i + 1], c.translation, sizeof c.translation);
        std::memcpy(rotate[i + 1], c.rotation, sizeof c.rotation);
    }
    if (nombre == 0)
        signaler("stagehand", true,
                 "aucune image cle a reprendre : la scene commence a la premiere.");
    else
        signaler("stagehand", true,
                 "la scene reprend apres l'image cle %d : chaque objet part de la pose de sa "
                 "derniere image cle, la vue de la sienne, et Entree enregistre l'image cle %d.",
                 nombre, nombre + 1);
    return true;
}

// What is said before the key press of the file i (the camera's: before it is made), and the
// number of the copy the earlier file is to be kept as, 0 when it is not kept.
long annoncer(const Nom &nom, int i) {
    if (reprendre) {
        if (lus[i].images > 0 || nombre == 0) return 0;
        if (estcamera(i))
            signaler("stagehand", true,
                     "%s ne tient aucune image cle : la vue de depart (l'oeil a 0.4 au-dessus de "
                     "l'origine, vers -z) y est ecrite jusqu'a l'image cle %d, celle que les "
                     "programmes DS prenaient, et la vue part de la.",
                     nom, nombre);
        else
            signaler("stagehand", true,
                     "%s ne tient aucune image cle : l'objet %d y est ecrit a l'origine jusqu'a "
                     "l'image cle %d, comme s'il n'avait pas bouge depuis le debut de la scene.",
                     nom, i + 1, nombre);
        return 0;
    }
    char raison[256];
    const bool cles = relire(nom, i, raison, sizeof raison);
    if (cles && lus[i].images == 0) return 0;
    if (!cles && !estordinaire(nom)) return 0;
    const long generation = generationsuivante(nom);
    if (cles)
        signaler("stagehand", true,
                 "%s tient deja %d image%s cle%s : il est garde tel quel dans %s.~%ld~ avant "
                 "d'etre vide (pour continuer sa scene plutot : stagehand -r).",
                 nom, lus[i].images, lus[i].images > 1 ? "s" : "", lus[i].images > 1 ? "s" : "",
                 nom, generation);
    else
        signaler("stagehand", true,
                 "%s n'est pas un fichier d'images cles de stagehand : il est garde tel quel dans "
                 "%s.~%ld~ avant d'etre vide.",
                 nom, nom, generation);
    return generation;
}

// The file i opened for this run: emptied, or continued after its last keyframe, and in a
// continued scene, given the keyframes so far when it holds none.
FILE *ouvrir(const Nom &nom, int i) {
    if (reprendre && lus[i].images > 0) {
        // Its keyframes stay as they are: the next ones, or the closing brace, replace the
        // closing brace, which is never longer.
        if (lus[i].fin > LONG_MAX) {
            errno = EFBIG;
            return nullptr;
        }
        FILE *f = ouvrirfichier(nom, "r+b");
        if (f != nullptr && std::fseek(f, static_cast<long>(lus[i].fin), SEEK_SET) != 0) {
            std::fclose(f);
            return nullptr;
        }
        return f;
    }
    // In binary mode: the same bytes on every system, "\n" line ends included.
    FILE *f = ouvrirfichier(nom, "wb");
    // Windows refuses to open a directory as if it were a file one may not write; any other
    // failure keeps the system's reason (a folder one may not write in: permission refused).
    if (f == nullptr) {
        const int raison = errno;
        errno = raison == EACCES && estdossier(nom) ? EISDIR : raison;
    }
    const float zero[3] = {0, 0, 0};
    for (int image = 1; f != nullptr && image <= nombre; ++image)
        ecrirebloc(f, i, image, zero, zero);
    if (f != nullptr && nombre > 0 && std::fflush(f) != 0) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

} // namespace

bool creerfichiers(const char *nombase) {
    std::snprintf(base, sizeof base, "%s", nombase);
    Nom nom;
    // The base name must leave room for "_camera.txt", longer than any file number and ".txt".
    if (std::strlen(nombase) >= sizeof base ||
        std::snprintf(nom, sizeof nom, "%s_camera.txt", nombase) >= static_cast<int>(TAILLENOM)) {
        echec("stagehand",
              "le nom de base %s ne laisse pas la place de _camera.txt, le fichier de la vue : %zu "
              "caracteres au plus en tout.",
              montrer(nombase, std::strlen(nombase)), TAILLENOM - 1);
        return false;
    }
    if (reprendre && !preparerreprise()) return false;
    // The camera's file is made last, without a question of its own: the console dialogue
    // stays the objects'.
    for (int i = 0; i <= nombreobjet; ++i) {
        nomfichier(nom, i);
        const long generation = annoncer(nom, i);
        if (!estcamera(i)) {
            std::printf("%d", i);
            afficher(stdout, nom);
            std::fflush(stdout);
            confirmer();
        }
        char copie[sizeof(Nom) + 16];
        errno = 0;
        const bool pret = generation == 0 || garder(nom, generation, copie, sizeof copie);
        fichier2[i] = pret ? ouvrir(nom, i) : nullptr;
        if (fichier2[i] == nullptr) {
            const int raison = errno;
            // The files made so far stay on disk and are let go.
            for (int j = 0; j < i; ++j) {
                std::fclose(fichier2[j]);
                fichier2[j] = nullptr;
            }
            if (pret)
                echec("stagehand", "impossible %s %s : %s.",
                      reprendre && lus[i].images > 0 ? "de continuer" : "de creer", nom,
                      raisonsysteme(raison));
            else
                echec("stagehand", "impossible de garder %s dans %s : %s ; il n'est pas vide.", nom,
                      copie, raisonsysteme(raison));
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
    const long longueur = lirenom(nombase, sizeof nombase);
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
    const Vue vue = {{emplacementx, emplacementy, emplacementz},
                     {viseex, viseey, viseez},
                     {tour, toury}};
    for (int i = 0; i <= nombreobjet; ++i) {
        FILE *f = fichier2[i];
        if (estcamera(i))
            ecrirevue(f, nombre, vue);
        else
            ecrirebloc(f, i, nombre, translate[i + 1], rotate[i + 1]);
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
    if (echoue) return;
    Noms noms;
    nomsfichiers(noms);
    signaler("stagehand", false, "image cle %d enregistree dans %s.", nombre, noms);
}

void fermerfichiers() {
    if (!fichiersouverts) return;
    fichiersouverts = false;
    // A function without its closing brace does not compile: a failure is said.
    bool echoue = false;
    for (int i = 0; i <= nombreobjet; ++i) {
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
        Noms noms;
        nomsfichiers(noms);
        signaler("stagehand", false,
                 "attention : aucune image cle enregistree : %s ne tiennent que l'accolade finale "
                 "et ne compileront pas ; appuyez sur Entree une fois au moins avant Echap.",
                 noms);
    }
}

void terminer() {
    fermerfichiers();
    std::exit(statutfinal());
}
