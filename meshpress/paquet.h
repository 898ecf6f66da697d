#pragma once
#include <cstdint>
#include <cstdio>

// The packer: the words of a list (maillage.h's model) as the DS's geometry engine takes them,
// then written as C text or as a binary file.
namespace paquet {

// The words, count word first (the number of words after it, as glCallList takes it).
extern uint32_t *mots;
extern int64_t nmots;
// What the list costs on the DS: vertex commands sent (the vertices the engine stores), polygons.
extern int64_t sommetsenvoyes, polygones;

// Packs maillage's model into mots: separate triangles with VERTEX16, or with compacte quads,
// strips and the cheapest exact vertex commands. False when the words would not fit in memory.
bool empaqueter(bool compacte);

// The C text: a comment naming the options (options: as given, canonical, separated by one
// space), the array nomtableau, a packed word and its parameters a line, lines ended by "\n"
// alone (sortie opened "wb"). Written in blocks of a buffer of the packer's own.
void ecriretexte(FILE *sortie, const char *nomtableau, const char *options);
// Every word, little-endian.
void ecrirebinaire(FILE *sortie);

} // namespace paquet
