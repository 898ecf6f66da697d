#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// The model file's reader: large buffered reads, and conversions that follow the C library's
// formatted input to the letter: the characters a "%s", "%lli" or "%f" conversion consumes,
// those it leaves for the next read (a failed read too), and the value it stores.
struct Lecteur {
    FILE *flux;
    const char *courant; // next unread character
    const char *fin;     // end of the characters read so far
};

void ouvrirlecteur(Lecteur &l, FILE *flux);

// "%s": one whitespace-delimited word of any length; at most taille - 1 characters kept.
// Returns the word's full length, or -1 at the end of the input.
long lireitem(Lecteur &l, char *item, size_t taille);

// "%lli", held to the signed 32-bit range. A value that cannot be read leaves destination
// unchanged; returns whether one was read.
bool lireentier(Lecteur &l, int32_t &destination);

// "%f" into a float, with the same rule.
bool lirereel(Lecteur &l, float &destination);
