#pragma once
#include <cstddef>
#include <cstdio>

// The line-based text of Wavefront OBJ and MTL files, read as statements of words: a statement
// is one line, or several joined by a '\' at the end of each but the last (a '\' that ends the
// file is nothing); words are separated
// by spaces, tabs, vertical tabs and form feeds; a word starting with '#' starts a comment that
// runs to the end of its line; lines end in "\n", "\r\n" or a lone "\r". Lines and words of any
// length are read whole, through a buffer of the caller's.

// Words longer than this are counted but not kept: no statement of either format needs one.
constexpr size_t TAILLEMOT = 256;

struct Mot {
    const char *texte; // not NUL-terminated; valid until the next read
    size_t longueur;   // the characters kept: at most TAILLEMOT - 1
    bool tronque;      // the word was longer than that
};

struct Lignes {
    FILE *flux;
    char *tampon;
    size_t taille;
    const char *courant;     // next unread character
    const char *fin;         // end of the characters read so far
    long ligne;              // the line of the next unread character, from 1
    long instruction;        // the line the current statement starts on
    bool fininstruction;     // the current statement has no word left
    bool epuise;             // the stream has nothing more
    char motlong[TAILLEMOT]; // a word that crosses the end of the buffer
};

void ouvrirlignes(Lignes &l, FILE *flux, char *tampon, size_t taille);

// The text's encoding, by the byte order mark it starts with, before anything else is read: a
// UTF-8 mark is passed over and nullptr returned, as for a text without one; a UTF-16 or UTF-32
// mark gives the encoding's name, and the text cannot be read as words.
const char *codage(Lignes &l);

// Why a text in such an encoding is refused, and how to save it, into raison; false.
bool refusercodage(const char *quoi, const char *nom, const char *codage, char *raison,
                   size_t taille);

// Whether the word is texte, exactly.
bool egal(const Mot &mot, const char *texte);

// The first word of the next statement that has one (blank lines and comments are passed
// over); false at the end of the input.
bool instructionsuivante(Lignes &l, Mot &mot);

// The next word of the current statement; false once it has none left.
bool motsuivant(Lignes &l, Mot &mot);

// The rest of the current statement as written, its blanks and tabs kept, without the blanks
// that end it or a comment, after what was read: a file's name. Returns whether it all fitted
// in taille - 1 characters (always terminated).
bool restebrut(Lignes &l, char *texte, size_t taille);

// The words of the current statement that are left, joined by single spaces, into texte (at
// most taille - 1 characters kept, always terminated): a name that may hold blanks. Returns
// whether it all fitted.
bool restedelinstruction(Lignes &l, char *texte, size_t taille);
