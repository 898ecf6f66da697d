#include "systeme.h"

#include <conio.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace {

HANDLE poignee(FILE *f) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
}

// The console itself, not a redirected file or pipe: a console handle has a console mode.
bool estconsole(HANDLE h) {
    DWORD mode;
    return h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

} // namespace

void preparerconsole() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A redirected input is read byte for byte as elsewhere (a Ctrl-Z byte ends nothing); on the
    // console, text mode keeps Ctrl-Z then Enter as the end of the input, as Windows users know it.
    if (!estconsole(GetStdHandle(STD_INPUT_HANDLE))) _setmode(_fileno(stdin), _O_BINARY);
}

const char *chercher(const char *texte, size_t taille, const char *motif, size_t longueur) {
    if (longueur == 0) return texte;
    for (const char *fin = texte + taille; static_cast<size_t>(fin - texte) >= longueur; ++texte) {
        texte = static_cast<const char *>(
            std::memchr(texte, motif[0], static_cast<size_t>(fin - texte) - longueur + 1));
        if (texte == nullptr) return nullptr;
        if (std::memcmp(texte, motif, longueur) == 0) return texte;
    }
    return nullptr;
}

// Two names of one file share the volume's serial number and the file's index on it.
bool memefichier(FILE *ouvert, const char *nom) {
    BY_HANDLE_FILE_INFORMATION e, s;
    if (!GetFileInformationByHandle(poignee(ouvert), &e)) return false;
    const HANDLE h = CreateFileA(nom, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool lu = GetFileInformationByHandle(h, &s) != 0;
    CloseHandle(h);
    return lu && e.dwVolumeSerialNumber == s.dwVolumeSerialNumber &&
           e.nFileIndexHigh == s.nFileIndexHigh && e.nFileIndexLow == s.nFileIndexLow;
}

bool estdossier(FILE *ouvert) {
    BY_HANDLE_FILE_INFORMATION e;
    return GetFileInformationByHandle(poignee(ouvert), &e) &&
           (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool estperipherique(FILE *ouvert) {
    return GetFileType(poignee(ouvert)) == FILE_TYPE_CHAR;
}

bool estdossier(const char *nom) {
    struct _stat64 etat;
    return _stat64(nom, &etat) == 0 && (etat.st_mode & _S_IFMT) == _S_IFDIR;
}

bool existe(const char *nom) {
    return GetFileAttributesA(nom) != INVALID_FILE_ATTRIBUTES;
}

bool estordinaire(const char *nom) {
    struct _stat64 etat;
    return _stat64(nom, &etat) == 0 && (etat.st_mode & _S_IFMT) == _S_IFREG;
}

void attendretouche() {
    if (!estconsole(GetStdHandle(STD_INPUT_HANDLE))) return;
    std::fputs("Appuyez sur une touche pour continuer...", stdout);
    std::fflush(stdout);
    // A key read from the console itself: the input stream may still hold the line break that
    // ended the last answer. A special key sends two codes; both are taken.
    const int touche = _getch();
    if (touche == 0 || touche == 0xE0) _getch();
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void confirmer() {
    if (!estconsole(GetStdHandle(STD_INPUT_HANDLE))) return;
    std::fflush(stdout);
    std::system("PAUSE");
}

// Large pages need a privilege that users seldom hold: the tables stay on ordinary pages.
void grandespages(void *, size_t) {}
