#pragma once
#include <cstddef>
#include <cstdio>

// Reads one whitespace-delimited word, as "%s" does, but whole whatever its length:
// at most taille - 1 characters are kept (always terminated), the rest is read and dropped.
// Returns the word's length (held to LONG_MAX), or -1 when the stream ends before a word starts.
long lirelemot(FILE *flux, char *tampon, size_t taille);

// A name answered on standard input, read as lirelemot reads it; typed on a Windows console,
// it is held in UTF-8 (depuisconsole), as systeme.h says names are held.
long lirenom(char *tampon, size_t taille);

// "%d" held to the int range: a number of any length is read whole, and one beyond the range
// stores the nearest end of it. Returns 1 when a number was stored, 0 when the text is no
// number (what "%d" takes of it is taken, the rest stays), EOF when the stream ended first.
int lireentierconsole(FILE *flux, int &destination);

// A file's name alone, after its last '/' or '\\' (a path may be written on another machine).
const char *nomseul(const char *chemin);

// Whether the file's name ends in a point and extension (lower-case letters), in any case.
bool aextension(const char *nom, const char *extension);

// ouvrirfichier(nom, "rb") for a file to read; a directory, which opens but holds no text, and a
// device, which may never end, are refused like a file that cannot be opened (nullptr, errno EISDIR
// or ENODEV). A pipe is read as it comes.
FILE *ouvrirlecture(const char *nom);
