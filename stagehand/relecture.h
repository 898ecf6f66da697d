#pragma once
#include <cstddef>
#include <cstdio>

// A keyframe file read back, to continue its scene or to tell what emptying it would lose.
struct Fichiercles {
    int fonction;         // the N of its function positionN; -1 when it holds none
    int images;           // keyframes it holds
    float translation[3]; // pose of the last one, as written
    float rotation[3];
    float vue[8];  // the camera file's last view: eye, centre, and the view's two angles
    long long fin; // where its keyframes end: its closing brace, or its end when it has none
};

// Reads f from its start. A file stagehand writes is its function's header and keyframes 1 to n,
// line for line as the writer formats them, then the closing brace, or nothing when the program
// was killed; an empty file, or the closing brace alone, holds no keyframe. False for anything
// else, with why in raison. With camera, the file of the view: its function camera, one
// gluLookAt a keyframe.
bool lirefichiercles(FILE *f, Fichiercles &c, char *raison, size_t taille, bool camera = false);
