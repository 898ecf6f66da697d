#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// The model file's reader: large buffered reads, and conversions that follow the C library's
// formatted input to the letter: the characters a "%s", "%lli" or "%f" conversion consumes,
// those it leaves for the next read (a failed read too), and the value it stores.
struct Lecteur {
    FILE *flux;
    const char *courant;   // next unread character
    const char *fin;       // end of the characters read so far
    long long debut;       // position in the stream of the buffer's first character
    bool epuise;           // a read found the end of the input
};

// The reader's buffer: 256 KiB reads cost few system calls, and the buffer stays in the
// processor's cache and costs few page faults to set up, which counts for small files.
constexpr size_t TAILLELECTURE = 1 << 18;

// The white space of the C locale, which ends a "%s" word: space, \t, \n, \v, \f and \r.
constexpr bool estblanc(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

void ouvrirlecteur(Lecteur &l, FILE *flux);

// How many characters have been taken from the stream.
long long position(const Lecteur &l);

// Plain text of a format: each white-space character matches any run of white space, none
// included; any other character must be the next one, and is not taken when it is not. Returns
// whether the whole text matched.
bool correspondre(Lecteur &l, const char *texte);

// "%ms": one word of any length, in memory from malloc that the caller frees; nullptr at the
// end of the input.
char *liremot(Lecteur &l);

// "%s": one whitespace-delimited word of any length; at most taille - 1 characters kept.
// Returns the word's length counted up to taille (a longer word returns taille), or -1 at the
// end of the input.
long lireitem(Lecteur &l, char *item, size_t taille);

// lireitem without copying a word that lies whole in the buffer: returns the item's characters,
// in the buffer (valid until the next read) or in item, and sets longueur as lireitem returns it.
// The characters are not followed by a NUL; the item's text as a C string ends at the first one.
const char *lireitemsurplace(Lecteur &l, char *item, size_t taille, long &longueur);

// "%lli", held to the signed 32-bit range. A value that cannot be read leaves destination
// unchanged; returns whether one was read.
bool lireentier(Lecteur &l, int32_t &destination);

// "%f" into a float, with the same rule.
bool lirereel(Lecteur &l, float &destination);
