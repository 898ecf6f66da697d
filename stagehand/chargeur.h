#pragma once
#include <cstdio>

#include "lecture.h"
#include "listemots.h"

// What receives each vertex of the triangles, in file order (glVertex3f when compiling).
using Sommet = void (*)(float x, float y, float z);
// What receives the texture pair of each vertex of a textured face, right before the vertex, as
// the line writes it: TEXTURE_PACK(floatot16(premier),floatot16(second)).
using Paire = void (*)(float premier, float second);

// What a display-list file gave: whether its header is the format's, whether the first line of
// its faces names a variant (the word that should, as montrer shows it) and which, and how many
// triangles it holds. For a list of meshpress's options (nouvelle), what its words gave too.
struct Analyse {
    bool entete;
    bool variante;
    bool texturee;
    char mot[48];
    long long triangles;
    bool nouvelle;
    Lecturemots mots;
};

// Reads one display-list source file from its start and hands the vertices of its triangles
// to sommet, a tenth of the file's values, and those of a textured file their pairs to paire
// when it is given; a fourth word naming no variant goes to console.
Analyse analyserliste(FILE *fichier, Sommet sommet, FILE *console, Paire paire = nullptr);

// The lines of a display-list file, read with the formats the writer's texts make; each
// returns whether its whole line matched, and leaves the input where a part did not.
// "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n" into three slots.
bool lirevertex(Lecteur &l, float *slots);
// "TEXTURE_PACK(floatot16(%f),floatot16(%f)),\n", into the two slots of paire when it is given.
bool lirecoordtexture(Lecteur &l, float *paire = nullptr);
// "FIFO_COMMAND_PACK(%ms %*s %*s" then the text suite: the first word replaces fin (freed).
bool lirecommandes(Lecteur &l, char *&fin, const char *suite);

// Compiles one display-list file, read from its start, into a new display list and returns the
// list's name, 0 when OpenGL has none to give; what the file gave goes to analyse. The text of
// the lists without options: triangles (positions only; with coordonnees, a textured file's
// texture coordinates too). The C text of meshpress's options (its first line
// "/* meshpress ... */"), or with binaire a .bin: its groups, vertices, normals, colours and
// materials, scale, and with coordonnees its texture coordinates. Needs a current OpenGL context.
unsigned chargerliste(FILE *fichier, Analyse &analyse, bool coordonnees = false, bool binaire = false);

// The load phase: asks on the console for display-list source files, one object each, until
// the answer 0, and sets nombreobjet (and how each object is drawn); a name ending in .bin is read
// as a binary list; a file that is not of the format or gives no triangle is
// said on standard error. Returns false when the program must end: a file that cannot be opened
// or read ("erreur" printed) or a console that ends before an answer, each said there too.
bool chargement();
