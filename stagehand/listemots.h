#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "commandes.h"

// The lists meshpress writes with its options (normals, colours, strips and quads, a scale, a
// binary file): the words the DS's geometry engine takes, read from their C text or their .bin
// into one buffer, then interpreted as the DS does with each command.

// A list holds at most this many words (64 MiB: more than meshpress ever writes, and sixteen
// times the DS's main memory).
constexpr int64_t MAXMOTS = int64_t{1} << 24;

// What reading and interpreting found. compte: the count word (-1 when the file has none);
// presents: the words after it that the file holds; raison: where reading or interpreting
// stopped, and why (empty when neither did).
struct Lecturemots {
    int64_t compte, presents;
    int64_t triangles;
    bool texturee, eclairee, coloree;
    char raison[200];
};

// The C text, read from the start of fichier: false, with nothing read past its first line, when
// that line is not the comment that opens every such list ("/* meshpress ... */").
bool liretexte(FILE *fichier, Lecturemots &lu);
// A .bin: little-endian words, count word first.
void lirebinaire(FILE *fichier, Lecturemots &lu);

// What each command does, as interpreter hands it on: code is the command, valeurs its values.
// BEGIN_VTXS: the group's type (0 triangles, 1 quads, 2 triangle strip, 3 quad strip);
// END_VTXS: none; VTX_16 for every vertex command: the vertex's position, a tenth of its value
// (as the lists without options are shown); NORMAL: x, y, z; COLOR: r, g, b from 0 to 1; DIF_AMB: the diffuse
// r, g, b, the ambient r, g, b, then 1 when the vertex colour takes the diffuse; TEXCOORD: s, t in
// texels; MTX_PUSH, MTX_POP (one matrix each): none; MTX_SCALE: x, y, z.
using Action = void (*)(commandes::Code code, const float *valeurs);

// The words read last, up to the count word's, command by command: each group is closed with
// END_VTXS and every matrix pushed is popped again by the end, so that the actions always nest.
// Sets the triangles, what the list sends, and why it stopped when a word is no command of the
// list or lacks its parameters.
void interpreter(Lecturemots &lu, Action action);
