#include "messages.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "systeme.h"

const char *raisonsysteme(int erreur) {
    switch (erreur) {
    case 0:
        return "raison inconnue";
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "permission refusee";
    case EISDIR:
        return "c'est un dossier, pas un fichier";
    case ENODEV:
        return "c'est un peripherique, pas un fichier";
    case ENOTDIR:
        return "un element du chemin n'est pas un dossier";
    case ENOSPC:
        return "plus de place sur le disque";
    case EIO:
        return "erreur d'entree-sortie (disque abime ou fichier illisible)";
    case EROFS:
        return "systeme de fichiers en lecture seule";
    case ENAMETOOLONG:
        return "nom trop long pour le systeme";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case EFBIG:
        return "fichier trop gros";
    case EBUSY:
        return "fichier occupe";
    case EINVAL:
        return "nom ou argument que le systeme refuse";
    default:
        return std::strerror(erreur);
    }
}

const char *montrer(const char *texte, size_t longueur) {
    static char vu[48];
    const size_t n = longueur < 40 ? longueur : 40;
    for (size_t i = 0; i < n; ++i)
        vu[i] = texte[i] >= ' ' && texte[i] <= '~' ? texte[i] : '?';
    std::strcpy(vu + n, n < longueur ? "..." : "");
    return vu;
}

void vimprimer(FILE *flux, const char *format, va_list arguments) {
    static char texte[16384];
    va_list copie;
    va_copy(copie, arguments);
    const int n = std::vsnprintf(texte, sizeof texte, format, copie);
    va_end(copie);
    if (n >= 0 && static_cast<size_t>(n) < sizeof texte)
        afficher(flux, texte);
    else
        std::vfprintf(flux, format, arguments);
}

void imprimer(FILE *flux, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vimprimer(flux, format, arguments);
    va_end(arguments);
}

namespace {

void vsignaler(const char *programme, bool apresligne, const char *format, va_list arguments) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s%s : ", apresligne ? "\n" : "", programme);
    vimprimer(stderr, format, arguments);
    std::fputs("\n", stderr);
}

} // namespace

void signaler(const char *programme, bool apresligne, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsignaler(programme, apresligne, format, arguments);
    va_end(arguments);
}

namespace {

bool echoue = false;

} // namespace

void echec(const char *programme, const char *format, ...) {
    echoue = true;
    static bool garde = false;
    if (!garde) garde = std::atexit(garderconsole) == 0;
    std::fputs("erreur", stdout);
    va_list arguments;
    va_start(arguments, format);
    vsignaler(programme, true, format, arguments);
    va_end(arguments);
}

int statutfinal() {
    return echoue ? 1 : 0;
}
