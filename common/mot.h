#pragma once
#include <cstddef>
#include <cstdio>

// Reads one whitespace-delimited word, as "%s" does, but whole whatever its length:
// at most taille - 1 characters are kept (always terminated), the rest is read and dropped.
// Returns the word's full length, or -1 when the stream ends before a word starts.
// The caller compares the result with taille - 1 to know whether the word was cut.
long lirelemot(FILE *flux, char *tampon, size_t taille);

// fopen(nom, "r") for a file to read; a directory, which opens but holds no text, is refused
// like a file that cannot be opened (nullptr).
FILE *ouvrirlecture(const char *nom);
