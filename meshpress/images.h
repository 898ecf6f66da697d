#pragma once
#include <cstddef>

// The size of a texture image, read from its file's header: PNG, BMP, JPEG and TGA, the formats
// modelling tools export textures in.
namespace images {

// How the header went: its size read; a format none of the four; or a header of one of them that
// gives no size an image can have (zero, beyond 2^31 - 1, cut short), with why in raison.
enum Lecture { LUE, INCONNUE, IMPOSSIBLE };

Lecture taille(const char *nom, int &largeur, int &hauteur, char *raison, size_t place);

} // namespace images
