#pragma once
#include <cstdio>

// The scene state shared by the callbacks: window size, camera, edit mode, selection and the
// table of objects, numbered from 1 (entry 0 holds no object).

constexpr int MAXOBJETS = 99;

extern int WIDTH, HEIGHT;
extern float emplacementx, emplacementy, emplacementz; // camera position
extern float viseex, viseey, viseez;                   // view direction, not normalised
extern float tour, toury;                              // camera angles in radians
extern int mode;        // 0 moves the camera, 1 translates the selection, 2 rotates it
extern int numero;      // selected object, 1 .. nombreobjet
extern int nombre;      // keyframes written so far
extern int nombreobjet; // objects loaded
extern bool sourislibre; // Tab: the mouse leaves the view alone
extern float translate[MAXOBJETS + 1][3];
extern float rotate[MAXOBJETS + 1][3];    // degrees about X, Y and Z
extern int idobjet[MAXOBJETS + 1];        // display list of each object
extern bool eclairee[MAXOBJETS + 1];      // its list sends normals: drawn lit
extern bool coloree[MAXOBJETS + 1];       // its list sends its own colours
extern FILE *fichier2[MAXOBJETS + 1];     // keyframe file of object i + 1 at entry i
extern char nomobjet[MAXOBJETS + 1][256]; // display-list file of each object, as typed

// The fixed rendering state: the blue background, and the light that lit lists are drawn
// with, as eclairer() of meshpress.h sets the DS's.
void initrendu();
void reshape(int width, int height);
void Display();
// The window's title: the mode, the selected object and its file, the keyframes recorded. Set
// only when it changes.
void titrer();
// The edges of a display list's polygons in black, 2 pixels wide, ahead of its own faces: the
// selection, over an object whose list gives its own colours or its image.
void contourner(unsigned liste);
// Loads the modelview matrix with the camera: eye at the position, looking along the direction.
void viser();
