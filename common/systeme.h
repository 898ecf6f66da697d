#pragma once
#include <cstddef>
#include <cstdio>

// What the tools need of the system they run on, one routine each, with a side per system
// (systeme_posix.cpp, systeme_windows.cpp).

// Standard output and error written byte for byte: no line end is translated, so that the
// console transcript is the same text on every system.
void preparerconsole();

// The command line's arguments held as the names above: on Windows, argv as the C runtime gives
// it is in the ANSI code page, which cannot hold every name; each argument is then taken again,
// in UTF-8, from the wide command line. Elsewhere nothing changes.
void argumentsenutf8(int argc, char **argv);

// The first occurrence of motif (longueur characters) in texte (taille characters), or nullptr.
const char *chercher(const char *texte, size_t taille, const char *motif, size_t longueur);

// File names are held as bytes: on POSIX systems as they are; on Windows as UTF-8, or in the
// ANSI code page when they are not valid UTF-8 (a name from a file or a pipe that some program
// wrote so), and every call that takes a name gives the system its wide characters.

// fopen(nom, mode), the name as above.
FILE *ouvrirfichier(const char *nom, const char *mode);

// A new file nom, for writing in binary mode, only when no file of that name exists: nullptr,
// errno EEXIST, when one does, so that nothing is ever written over.
FILE *creerexclusif(const char *nom);

// remove(nom), the name as above.
int effacer(const char *nom);

// An answer that lirelemot has just read from standard input (longueur characters, -1 for
// none): when the input is a Windows console, its code page becomes UTF-8 in place. The
// answer's new length, or taille or more when it no longer fits (the buffer holds it unchanged).
long depuisconsole(char *tampon, size_t taille, long longueur);

// fputs(texte, flux), but a name on a Windows console reads as it was typed: written in wide
// characters, whatever the console's code page.
void afficher(FILE *flux, const char *texte);

// After a failure, at the end of the run: a console that the program opened itself (a double
// click on it in the Explorer), which closes with it, waits for a key so that the reason can be
// read. Nothing on a console shared with a command interpreter, nor when the input is not a
// console, nor on POSIX systems, where a terminal outlives the program.
void garderconsole();

// Whether the open file and the file named nom are one and the same file (through any link or
// spelling of the name): opening nom for writing would empty the open one.
bool memefichier(FILE *ouvert, const char *nom);

// Whether the open file is a directory, which holds no text.
bool estdossier(FILE *ouvert);

// Whether the open file is a device (a terminal, /dev/zero, a disk...): read as a file it may
// never end, or wait for a key.
bool estperipherique(FILE *ouvert);

// Whether nom names a directory.
bool estdossier(const char *nom);

// Whether nom names anything: a file, a directory, a device...
bool existe(const char *nom);

// Whether nom names a regular file: not a directory, a device or a pipe, which could hold no
// end or keep an open waiting.
bool estordinaire(const char *nom);

// The end-of-run wait: on a console, asks for one key and waits for it; otherwise (a script,
// a pipe, a redirected file) nobody can answer, so it returns at once without printing anything.
void attendretouche();

// The confirmation before the animator creates a keyframe file: the command interpreter's PAUSE
// where there is one (Windows), the end-of-run wait elsewhere; nothing when the input is not a
// console, whose answers were given in advance.
void confirmer();

// Asks for large memory pages over a table read at scattered places, so that each read costs
// fewer address-translation misses; where the system cannot, nothing changes.
void grandespages(void *debut, size_t taille);

// The alignment of such a table: a large-page boundary, so that large pages can cover it whole;
// Windows object files align to 8 KiB at most, and the tables stay on ordinary pages there.
#ifdef _WIN32
constexpr size_t ALIGNEMENTTABLE = 64;
#else
constexpr size_t ALIGNEMENTTABLE = 1 << 21;
#endif
