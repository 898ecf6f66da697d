#include "systeme.h"

#include <cerrno>
#include <conio.h>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

namespace {

HANDLE poignee(FILE *f) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
}

// The console itself, not a redirected file or pipe: a console handle has a console mode.
bool estconsole(HANDLE h) {
    DWORD mode;
    return h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

// A name as the wide-character calls take it: UTF-8 when it is valid UTF-8, else the ANSI code
// page, as the narrow calls read it. False, errno ENAMETOOLONG, when it does not fit.
bool large(const char *nom, wchar_t *tampon, int taille) {
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, nom, -1, tampon, taille);
    if (n == 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION)
        n = MultiByteToWideChar(CP_ACP, 0, nom, -1, tampon, taille);
    if (n == 0) errno = ENAMETOOLONG;
    return n != 0;
}

// Whether the text is plain ASCII, the same bytes in every code page.
bool ascii(const char *texte, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(texte[i]) >= 0x80) return false;
    return true;
}

// Room for any name the tools hold, and for the longest path Windows takes.
constexpr int TAILLELARGE = 32768;
wchar_t nomlarge[TAILLELARGE];

} // namespace

FILE *ouvrirfichier(const char *nom, const char *mode) {
    wchar_t modelarge[8];
    if (!large(nom, nomlarge, TAILLELARGE) || !large(mode, modelarge, 8)) return nullptr;
    return _wfopen(nomlarge, modelarge);
}

FILE *creerexclusif(const char *nom) {
    if (!large(nom, nomlarge, TAILLELARGE)) return nullptr;
    const int d = _wopen(nomlarge, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    FILE *f = d < 0 ? nullptr : _fdopen(d, "wb");
    if (d >= 0 && f == nullptr) _close(d);
    return f;
}

int effacer(const char *nom) {
    return large(nom, nomlarge, TAILLELARGE) ? _wremove(nomlarge) : -1;
}

long depuisconsole(char *tampon, size_t taille, long longueur) {
    if (longueur <= 0 || static_cast<size_t>(longueur) >= taille ||
        !estconsole(GetStdHandle(STD_INPUT_HANDLE)))
        return longueur;
    const UINT page = GetConsoleCP();
    if (ascii(tampon, static_cast<size_t>(longueur)) || page == CP_UTF8) return longueur;
    const int n =
        MultiByteToWideChar(page, 0, tampon, static_cast<int>(longueur), nomlarge, TAILLELARGE);
    const int u = WideCharToMultiByte(CP_UTF8, 0, nomlarge, n, nullptr, 0, nullptr, nullptr);
    if (u <= 0) return longueur;
    if (static_cast<size_t>(u) >= taille) return u;
    WideCharToMultiByte(CP_UTF8, 0, nomlarge, n, tampon, u, nullptr, nullptr);
    tampon[u] = '\0';
    return u;
}

void afficher(FILE *flux, const char *texte) {
    const HANDLE h = poignee(flux);
    if (ascii(texte, std::strlen(texte)) || !estconsole(h) ||
        !large(texte, nomlarge, TAILLELARGE)) {
        std::fputs(texte, flux);
        return;
    }
    std::fflush(flux);
    DWORD ecrits;
    WriteConsoleW(h, nomlarge, static_cast<DWORD>(wcslen(nomlarge)), &ecrits, nullptr);
}

// A console whose process list holds this program alone was opened for it (by the Explorer);
// a command interpreter's holds the interpreter too.
void garderconsole() {
    DWORD processus[2];
    if (GetConsoleProcessList(processus, 2) == 1) attendretouche();
}

void argumentsenutf8(int argc, char **argv) {
    int n = 0;
    wchar_t **larges = CommandLineToArgvW(GetCommandLineW(), &n);
    if (larges == nullptr) return;
    // The command line holds at most 32767 characters, each 3 bytes of UTF-8 at most.
    static char zone[3 * 32768 + 1];
    size_t place = 0;
    for (int i = 0; n == argc && i < argc; ++i) {
        const int octets = WideCharToMultiByte(CP_UTF8, 0, larges[i], -1, zone + place,
                                               static_cast<int>(sizeof zone - place), nullptr, nullptr);
        if (octets == 0) break;
        argv[i] = zone + place;
        place += static_cast<size_t>(octets);
    }
    LocalFree(larges);
}

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
    if (!large(nom, nomlarge, TAILLELARGE)) return false;
    const HANDLE h =
        CreateFileW(nomlarge, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
    return large(nom, nomlarge, TAILLELARGE) && _wstat64(nomlarge, &etat) == 0 &&
           (etat.st_mode & _S_IFMT) == _S_IFDIR;
}

bool existe(const char *nom) {
    return large(nom, nomlarge, TAILLELARGE) &&
           GetFileAttributesW(nomlarge) != INVALID_FILE_ATTRIBUTES;
}

bool estordinaire(const char *nom) {
    struct _stat64 etat;
    return large(nom, nomlarge, TAILLELARGE) && _wstat64(nomlarge, &etat) == 0 &&
           (etat.st_mode & _S_IFMT) == _S_IFREG;
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
