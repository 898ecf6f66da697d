/* The example DS program on the host, over the test double of libnds's names: each call it makes
   written as what it asks of the DS, a line each, and the words each object's list sends, for two
   frames; A is pressed before the second. Usage: exemple (-DEXEMPLE="main.c", the files on the
   include path). */
#include <stdio.h>
#include <stdlib.h>
#include "nds.h"

static int image, profondeur;
static u32 debut;

void videoSetMode(u32 mode) { printf("videoSetMode %#x\n", mode); }
int glInit(void) { return puts("glInit"); }
void glClearColor(u8 red, u8 green, u8 blue, u8 alpha) { printf("glClearColor %d %d %d %d\n", red, green, blue, alpha); }
void glClearPolyID(u8 id) { printf("glClearPolyID %d\n", id); }
void glClearDepth(u16 depth) { printf("glClearDepth %#x\n", depth); }
void glViewport(u8 x1, u8 y1, u8 x2, u8 y2) { printf("glViewport %d %d %d %d\n", x1, y1, x2, y2); }
void glMatrixMode(int mode) { printf("glMatrixMode %d\n", mode); }
void glLoadIdentity(void) { puts("glLoadIdentity"); }
void gluPerspective(float fovy, float aspect, float zNear, float zFar) { printf("gluPerspective %g %g %g %g\n", fovy, aspect, zNear, zFar); }
void gluLookAt(float eyex, float eyey, float eyez, float lookAtx, float lookAty, float lookAtz, float upx, float upy, float upz) {
    printf("gluLookAt %g %g %g  %g %g %g  %g %g %g\n", eyex, eyey, eyez, lookAtx, lookAty, lookAtz, upx, upy, upz);
}
void glPolyFmt(u32 params) { printf("glPolyFmt %#x\n", params); }
void glColor(rgb color) { printf("glColor %#x\n", color); }
void glLight(int id, rgb color, v10 x, v10 y, v10 z) { printf("glLight %d %#x %d %d %d\n", id, color, x, y, z); }
void glMaterialf(int mode, rgb color) { printf("glMaterialf %d %#x\n", mode, color); }
void glPushMatrix(void) { printf("glPushMatrix (depth %d)\n", ++profondeur), debut = n; }
void glPopMatrix(int num) { printf("%u words sent; glPopMatrix %d (depth %d)\n", n - debut, num, profondeur -= num); }
void glScalev(const GLvector *v) { printf("glScalev %d %d %d\n", v->x, v->y, v->z); }
void glTranslate3f32(int x, int y, int z) { printf("glTranslate3f32 %d %d %d\n", x, y, z); }
void glRotateX(float angle) { printf("glRotateX %g\n", angle); }
void glRotateY(float angle) { printf("glRotateY %g\n", angle); }
void glRotateZ(float angle) { printf("glRotateZ %g\n", angle); }
void glFlush(u32 mode) { printf("glFlush %u\n", mode); }
void scanKeys(void) { printf("scanKeys (frame %d)\n", ++image); }
u32 keysDown(void) { return image == 2 ? KEY_A : 0; }
void vramSetBankA(int mode) { printf("vramSetBankA %d\n", mode); }
void glEnable(int bits) { printf("glEnable %d\n", bits); }
int glGenTextures(int n, int *names) {
    for (int i = 0; i < n; ++i) names[i] = 7 + i;
    return printf("glGenTextures %d\n", n);
}
void glBindTexture(int target, int name) { printf("glBindTexture %d %d\n", target, name); }
/* The texels' sum, to see the whole image reach it. */
int glTexImage2D(int target, int empty1, int type, int sizeX, int sizeY, int empty2, int param, const void *texture) {
    const u16 *t = texture;
    u32 somme = 0;
    for (int i = 0; i < (8 << sizeX) * (8 << sizeY); ++i) somme += t[i];
    return printf("glTexImage2D %d %d %d %d %d %d %#x sum %u\n", target, empty1, type, sizeX, sizeY, empty2, param, somme);
}
void DC_FlushRange(const void *base, u32 size) { printf("DC_FlushRange %u bytes\n", size), (void)base; }
void swiWaitForVBlank(void) {
    puts("swiWaitForVBlank");
    if (image == 2) exit(0);
}

#define main exemple
#include EXEMPLE
#undef main
int main(void) { return exemple(); }
