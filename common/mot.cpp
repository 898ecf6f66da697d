#include "mot.h"

#include <cctype>
#include <sys/stat.h>

long lirelemot(FILE *flux, char *tampon, size_t taille) {
    int c = getc(flux);
    while (c != EOF && std::isspace(c)) c = getc(flux);
    if (c == EOF) {
        if (taille > 0) tampon[0] = '\0';
        return -1;
    }
    long longueur = 0;
    size_t garde = 0;
    while (c != EOF && !std::isspace(c)) {
        if (garde + 1 < taille) tampon[garde++] = static_cast<char>(c);
        ++longueur;
        c = getc(flux);
    }
    // Like "%s", the blank that ends the word stays in the stream.
    if (c != EOF) ungetc(c, flux);
    if (taille > 0) tampon[garde] = '\0';
    return longueur;
}

FILE *ouvrirlecture(const char *nom) {
    FILE *f = std::fopen(nom, "r");
    struct stat etat;
    if (f != nullptr && fstat(fileno(f), &etat) == 0 && S_ISDIR(etat.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}
