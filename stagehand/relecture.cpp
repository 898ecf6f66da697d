#include "relecture.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "messages.h"

namespace {

// One line without its "\n"; false at the end of the file, or for a line longer than any the
// writer makes (which is then no line of a keyframe file), with longue set.
bool lireligne(FILE *f, char (&ligne)[512], bool &longue, bool &finale) {
    longue = finale = false;
    size_t n = 0;
    for (int c; (c = std::getc(f)) != EOF;) {
        if (c == '\n') {
            ligne[n] = '\0';
            return true;
        }
        if (n + 1 == sizeof ligne) {
            longue = true;
            return false;
        }
        // A NUL would end the line's text early: it stands as a character no line of the
        // writer's holds.
        ligne[n++] = c == '\0' ? '?' : static_cast<char>(c);
    }
    // A last line without its line end is none of the writer's.
    ligne[n] = '\0';
    finale = n > 0;
    return false;
}

// The line against a format of the writer's: its text exactly, %d a number as "%d" prints one
// that is not negative, %f a number as "%f" prints one, %g a float as "%.9g" prints it.
bool suivre(const char *ligne, const char *format, int *entiers, float *reels) {
    for (const char *p = ligne, *q = format;; ++q) {
        if (*q == '\0') return *p == '\0';
        if (*q != '%') {
            if (*p++ != *q) return false;
            continue;
        }
        const char *debut = p;
        if (*++q == 'g') {
            // Taken when printing the value read gives back its text exactly.
            char *fin;
            const float v = std::strtof(p, &fin);
            char texte[32];
            const int n = std::snprintf(texte, sizeof texte, "%.9g", static_cast<double>(v));
            if (fin - p != n || std::strncmp(texte, p, static_cast<size_t>(n)) != 0) return false;
            *reels++ = v;
            p = fin;
            continue;
        }
        if (*q == 'f' && *p == '-') ++p;
        const char *chiffres = p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (p == chiffres) return false;
        if (*q == 'd') {
            if ((*chiffres == '0' && p - chiffres > 1) || p - chiffres > 9) return false;
            *entiers++ = std::atoi(debut);
            continue;
        }
        if (*p++ != '.') return false;
        for (int k = 0; k < 6; ++k)
            if (*p < '0' || *p++ > '9') return false;
        *reels++ = std::strtof(debut, nullptr);
    }
}

bool dire(char *raison, size_t taille, const char *format, ...)
    __attribute__((format(FORMATMESSAGE, 3, 4)));
bool dire(char *raison, size_t taille, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(raison, taille, format, arguments);
    va_end(arguments);
    return false;
}

} // namespace

bool lirefichiercles(FILE *f, Fichiercles &c, char *raison, size_t taille, bool camera) {
    c = {-1, 0, {0, 0, 0}, {0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}, 0};
    char ligne[512];
    bool longue, finale;
    long long numero = 0; // of the line read
    const auto quelle = [&] {
        if (longue)
            return dire(raison, taille,
                        "sa ligne %lld est plus longue que toutes celles de stagehand", numero);
        if (std::feof(f) && !finale)
            return dire(raison, taille, "il est coupe avant sa ligne %lld", numero);
        return dire(raison, taille, "sa ligne %lld, %s, n'est pas ce que stagehand ecrit", numero,
                    montrer(ligne, std::strlen(ligne)));
    };
    // A read error ends the lines as the end of the file does: said as such.
    const auto lu = [&] { return !std::ferror(f) || dire(raison, taille, "il n'a pu etre lu"); };
    const auto lire = [&] {
        ++numero;
        return lireligne(f, ligne, longue, finale);
    };
    if (!lire()) return longue || finale ? quelle() : lu();
    if (std::strcmp(ligne, "}") != 0) {
        if (camera) {
            // The projection and the modelview matrix's start, before the keyframes' views.
            const char *const ENTETE[] = {"void camera(int nombre){",    "glMatrixMode(GL_PROJECTION);",
                                          "glLoadIdentity();",
                                          "gluPerspective(45, 256.0 / 192.0, 0.1, 1000);",
                                          "glMatrixMode(GL_MODELVIEW);", "glLoadIdentity();"};
            for (int k = 0; k < 6; ++k)
                if ((k > 0 && !lire()) || std::strcmp(ligne, ENTETE[k]) != 0) return quelle();
            c.fonction = 0;
        } else if (!suivre(ligne, "void position%d(int nombre){", &c.fonction, nullptr)) {
            return quelle();
        }
        for (;;) {
            // What the keyframes so far end with.
            c.fin = std::ftell(f);
            if (!lire()) {
                if (longue || finale || c.images == 0) return quelle();
                return lu();
            }
            if (std::strcmp(ligne, "}") == 0 && c.images > 0) break;
            int image = 0;
            if (!suivre(ligne, c.images == 0 ? "if(nombre == %d){" : "else if(nombre == %d){",
                        &image, nullptr))
                return quelle();
            if (image != c.images + 1)
                return dire(raison, taille, "sa ligne %lld donne l'image cle %d apres %d autres",
                            numero, image, c.images);
            c.images = image;
            const char *const BLOC[] = {
                "glTranslate3f32(floatof32(%f),floatof32(%f), floatof32(%f));", "glRotateX(%f);",
                "glRotateY(%f);", "glRotateZ(%f);", "}"};
            float *const VALEURS[] = {c.translation, c.rotation, c.rotation + 1, c.rotation + 2,
                                      nullptr};
            const char *const BLOCVUE[] = {
                "gluLookAt(%f, %f, %f, %f, %f, %f, 0, 1, 0); /* angles %g %g */", "}"};
            float *const VALEURSVUE[] = {c.vue, nullptr};
            for (int k = 0; k < (camera ? 2 : 5); ++k)
                if (!lire() || !suivre(ligne, camera ? BLOCVUE[k] : BLOC[k], nullptr,
                                       camera ? VALEURSVUE[k] : VALEURS[k]))
                    return quelle();
        }
    }
    // The closing brace, then nothing.
    c.fin = std::ftell(f) - 2;
    ++numero;
    if (std::getc(f) != EOF)
        return dire(raison, taille, "il continue apres l'accolade finale de sa fonction");
    return lu();
}
