#pragma once
#include <cstddef>
#include <cstdio>

// Textures, on request: with --textures (or --texture LISTE IMAGE) each textured display list is
// drawn with its image, mapped as the DS maps it, and the key i shows or hides them all.

// The option was given: textured lists are compiled with their texture coordinates, and their
// images are sought as they are loaded.
extern bool texturesdemandees;

// Takes the texture options at argv[i]: returns how many arguments they took, 0 for any other
// argument. A --texture without its two names ends the program with the usage (status 2).
int optiontextures(int argc, char **argv, int i, const char *usage);

// The texture coordinates of one vertex from a texture line's pair, TEXTURE_PACK(t, s) as
// meshpress writes it: the DS program packs it with MESHPRESS_TEXTURE_PACK_ANCIEN, t the row in
// texels from the top, s the column, each as floatot16 makes it. For a display list being
// compiled.
void coordtexture(float t, float s);

// Reads what meshpress-texture writes, stem_texture.h (its sides, then its texels in the DS's
// direct colour), into texels::table and its sides; false, with why in raison, for anything else.
bool lirefichiertexture(FILE *fichier, char *raison, size_t taille);

// The texture of object n, whose list (textured or not) is open as liste, typed as nom: the
// image given for that file on the command line, or the stem_texture.h beside it. Where none is
// found, or for an image given to a list without texture, a line on standard error says why.
void chargertexture(int n, FILE *liste, const char *nom, bool texturee);

// After the load phase: an image given for a file that was not loaded is said.
void finirtextures();

// Draws object n, posed, with its texture when textures are shown and it has one, in white as the
// DS modulates it; the selected object's edges are drawn in black over its image. Returns false
// when it has none to show: the caller draws it as ever.
bool dessinertexture(int n, bool choisi);

// The key i: shows or hides the textures.
void basculertextures();
