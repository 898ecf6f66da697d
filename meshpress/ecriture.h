#pragma once
#include <cstdint>
#include <cstdio>

// The display-list source file: C text defining one u32 array of packed geometry-engine
// commands. The animator's loader reads these exact texts back, so every character counts.
// The text is gathered in a large buffer of the writer's own and goes to the stream when the
// buffer is full and at the terminator.

void ecrireentete(FILE *sortie, const char *nomtableau, int32_t motcompte);
void ecrireface(FILE *sortie, const float a[3], const float b[3], const float c[3]);
// face: x, z, y of corner 1, then of corner 2, then of corner 3; textures: (u, v) per corner.
void ecrirefacetexture(FILE *sortie, const float face[9], const float ta[2], const float tb[2],
                       const float tc[2]);
// The same blocks with their numbers as given: three vertices written as they are, x, y, z;
// a textured block's vertices as face holds them and, per corner, the two arguments of its
// texture line in couples.
void ecrirefacesommets(FILE *sortie, const float a[3], const float b[3], const float c[3]);
void ecrirefacepaires(FILE *sortie, const float face[9], const double couples[6]);
// Writes the terminator and hands everything still buffered to the stream.
void ecrirefin(FILE *sortie);

// What the DS will draw otherwise than the file says, since the last call: vertex values outside
// the VERTEX16 range (4.12 fixed point, -8 <= v < 8; beyond it a value wraps), the largest
// magnitude among them, values that are no number or infinite (a C compiler takes neither), the
// triangles written (the DS draws 2048 in one frame) and the words of the array (4 bytes each).
struct Bilan {
    long long horslimites;
    double plusgrande;
    long long nonfinis;
    long long triangles;
    long long mots;
};
Bilan prendrebilan();

// The count word, the number of elements of the array for a model of three points per face:
// 7 words per untextured face (11 textured) over 3 points, plus 4. Computed in 64 bits and
// held to the signed 32-bit range, so that no point count overflows.
int32_t motcompte(int32_t nombrepoint, bool avectexture);

// A double as "%f" prints it: sign, integer digits, point, six decimals rounded to nearest
// (ties to even), "inf" and "nan" with their sign. Returns the number of characters written;
// texte must hold 330 characters.
int formaterreel(char *texte, double valeur);
