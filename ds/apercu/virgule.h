/* libnds's fixed-point arithmetic, for the preview's DS program and for the host's tests: the
   words that gluPerspective, gluLookAt and glRotateX/Y/Z send, computed as the library computes
   them. */
#ifndef VIRGULE_H
#define VIRGULE_H

typedef int s32;
typedef short s16;

s32 mulf32(s32 a, s32 b);
s32 divf32(s32 num, s32 den);
s16 sinLerp(s16 angle);
s16 cosLerp(s16 angle);
s32 tanLerp(s16 angle);
/* Degrees to the library's angles: 32768 a turn. */
s32 degresenangle(float degres);
/* The 3x3 matrix of glRotateXi (axe 0), glRotateYi (1) or glRotateZi (2), in the order the
   geometry engine takes it. */
void matricerotation(int axe, s32 angle, s32 m[9]);
/* The 4x4 matrix of gluPerspective(fovy, aspect, zNear, zFar), in the engine's order. */
void matriceperspective(float fovy, float aspect, float zNear, float zFar, s32 m[16]);
/* The 4x3 matrix of gluLookAt(eye, lookAt, up), the nine numbers in that order. */
void matriceregard(const float v[9], s32 m[12]);

#endif
