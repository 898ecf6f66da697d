#include "mot.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>

#include "systeme.h"

long lirelemot(FILE *flux, char *tampon, size_t taille) {
    int c = getc(flux);
    while (c != EOF && std::isspace(c)) c = getc(flux);
    if (c == EOF) {
        if (taille > 0) tampon[0] = '\0';
        return -1;
    }
    long longueur = 0;
    while (c != EOF && !std::isspace(c)) {
        if (static_cast<size_t>(longueur) + 1 < taille) tampon[longueur] = static_cast<char>(c);
        if (longueur < LONG_MAX) ++longueur;
        c = getc(flux);
    }
    // Like "%s", the blank that ends the word stays in the stream.
    if (c != EOF) ungetc(c, flux);
    if (taille > 0)
        tampon[static_cast<size_t>(longueur) < taille ? static_cast<size_t>(longueur) : taille - 1] = '\0';
    return longueur;
}

int lireentierconsole(FILE *flux, int &destination) {
    int c = getc(flux);
    while (c != EOF && std::isspace(c)) c = getc(flux);
    if (c == EOF) return EOF;
    const bool negatif = c == '-';
    if (c == '-' || c == '+') c = getc(flux);
    // The magnitude is held just past the int range: beyond it only the sign matters.
    long long magnitude = -1;
    for (; c >= '0' && c <= '9'; c = getc(flux)) {
        magnitude = (magnitude < 0 ? 0 : magnitude) * 10 + (c - '0');
        if (magnitude > INT_MAX + 1LL) magnitude = INT_MAX + 1LL;
    }
    if (c != EOF) ungetc(c, flux);
    if (magnitude < 0) return 0;
    const long long valeur = negatif ? -magnitude : magnitude;
    destination = valeur > INT_MAX ? INT_MAX : static_cast<int>(valeur);
    return 1;
}

const char *nomseul(const char *chemin) {
    const char *nom = chemin;
    for (const char *c = chemin; *c; ++c)
        if (*c == '/' || *c == '\\') nom = c + 1;
    return nom;
}

bool aextension(const char *nom, const char *extension) {
    const size_t n = std::strlen(nom), e = std::strlen(extension);
    if (n <= e || nom[n - e - 1] != '.') return false;
    for (size_t i = 0; i < e; ++i)
        if (std::tolower(static_cast<unsigned char>(nom[n - e + i])) != extension[i]) return false;
    return true;
}

FILE *ouvrirlecture(const char *nom) {
    // In binary mode, so that every system reads the same bytes.
    FILE *f = ouvrirfichier(nom, "rb");
    if (f != nullptr && (estdossier(f) || estperipherique(f))) {
        const int raison = estdossier(f) ? EISDIR : ENODEV;
        std::fclose(f);
        errno = raison;
        return nullptr;
    }
    // Windows refuses to open a directory, as if it were a file one may not read; any other
    // failure keeps the system's reason, which the test of the name must not overwrite.
    if (f == nullptr) {
        const int raison = errno;
        errno = raison == EACCES && estdossier(nom) ? EISDIR : raison;
    }
    return f;
}

long lirenom(char *tampon, size_t taille) {
    return depuisconsole(tampon, taille, lirelemot(stdin, tampon, taille));
}
