/* The part of libnds that the display-list files, the keyframe files, meshpress.h and the example
   DS program use, for the preview's own DS program (it has no libnds): the same names and
   arguments, each doing what libnds documents, on the DS's registers as GBATEK gives them. */
#ifndef NDS_H
#define NDS_H

typedef unsigned int u32;
typedef unsigned short u16;
typedef unsigned char u8;
typedef int s32;
typedef short s16;
typedef int int32;
typedef s16 v16;   /* 4.12 fixed point */
typedef s16 t16;   /* 12.4 fixed point */
typedef s16 v10;   /* 1.9 fixed point, 10 bits */
typedef u16 rgb;   /* RGB15 */
typedef struct {
    int32 x, y, z;
} GLvector;

#define REGISTRE32(adresse) (*(volatile u32 *)(adresse))
#define REGISTRE16(adresse) (*(volatile u16 *)(adresse))
#define REGISTRE8(adresse) (*(volatile u8 *)(adresse))
#define REG_DISPCNT REGISTRE32(0x04000000)
#define REG_VCOUNT REGISTRE16(0x04000006)
#define REG_KEYINPUT REGISTRE16(0x04000130)
#define REG_POWERCNT REGISTRE16(0x04000304)
#define VRAM_CR ((volatile u8 *)0x04000240) /* banks A to D */
#define GFX_CONTROL REGISTRE16(0x04000060)
#define GFX_FIFO REGISTRE32(0x04000400)
#define GFX_CLEAR_COLOR REGISTRE32(0x04000350)
#define GFX_CLEAR_DEPTH REGISTRE16(0x04000354)
#define MATRIX_CONTROL REGISTRE32(0x04000440)
#define MATRIX_PUSH REGISTRE32(0x04000444)
#define MATRIX_POP REGISTRE32(0x04000448)
#define MATRIX_IDENTITY REGISTRE32(0x04000454)
#define MATRIX_LOAD4x4 REGISTRE32(0x04000458)
#define MATRIX_MULT4x4 REGISTRE32(0x04000460)
#define MATRIX_MULT4x3 REGISTRE32(0x04000464)
#define MATRIX_MULT3x3 REGISTRE32(0x04000468)
#define MATRIX_SCALE REGISTRE32(0x0400046C)
#define MATRIX_TRANSLATE REGISTRE32(0x04000470)
#define GFX_COLOR REGISTRE32(0x04000480)
#define GFX_NORMAL REGISTRE32(0x04000484)
#define GFX_TEX_COORD REGISTRE32(0x04000488)
#define GFX_VERTEX16 REGISTRE32(0x0400048C)
#define GFX_VERTEX10 REGISTRE32(0x04000490)
#define GFX_VERTEX_XY REGISTRE32(0x04000494)
#define GFX_VERTEX_XZ REGISTRE32(0x04000498)
#define GFX_VERTEX_YZ REGISTRE32(0x0400049C)
#define GFX_VERTEX_DIFF REGISTRE32(0x040004A0)
#define GFX_POLY_FORMAT REGISTRE32(0x040004A4)
#define GFX_TEX_FORMAT REGISTRE32(0x040004A8)
#define GFX_DIFFUSE_AMBIENT REGISTRE32(0x040004C0)
#define GFX_SPECULAR_EMISSION REGISTRE32(0x040004C4)
#define GFX_LIGHT_VECTOR REGISTRE32(0x040004C8)
#define GFX_LIGHT_COLOR REGISTRE32(0x040004CC)
#define GFX_BEGIN REGISTRE32(0x04000500)
#define GFX_END REGISTRE32(0x04000504)
#define GFX_FLUSH REGISTRE32(0x04000540)
#define GFX_VIEWPORT REGISTRE32(0x04000580)

/* The display-list commands, each its register's id as libnds makes them (it names none for
   VTX_DIFF and the matrix commands: meshpress.h does), and the packings. */
#define REG2ID(r) ((u8)(((u32)(&(r)) - 0x04000400) >> 2))
#define FIFO_NOP REG2ID(GFX_FIFO)
#define FIFO_COLOR REG2ID(GFX_COLOR)
#define FIFO_NORMAL REG2ID(GFX_NORMAL)
#define FIFO_TEX_COORD REG2ID(GFX_TEX_COORD)
#define FIFO_VERTEX16 REG2ID(GFX_VERTEX16)
#define FIFO_VERTEX10 REG2ID(GFX_VERTEX10)
#define FIFO_VERTEX_XY REG2ID(GFX_VERTEX_XY)
#define FIFO_VERTEX_XZ REG2ID(GFX_VERTEX_XZ)
#define FIFO_VERTEX_YZ REG2ID(GFX_VERTEX_YZ)
#define FIFO_DIFFUSE_AMBIENT REG2ID(GFX_DIFFUSE_AMBIENT)
#define FIFO_BEGIN REG2ID(GFX_BEGIN)
#define FIFO_END REG2ID(GFX_END)
#define GL_TRIANGLE 0
#define GL_QUAD 1
#define GL_TRIANGLE_STRIP 2
#define GL_QUAD_STRIP 3
#define FIFO_COMMAND_PACK(c1, c2, c3, c4)                                                          \
    ((u32)(c1) | (u32)(c2) << 8 | (u32)(c3) << 16 | (u32)(c4) << 24)
#define VERTEX_PACK(x, y) (((u32)(x)&0xFFFF) | (u32)(y) << 16)
#define TEXTURE_PACK(u, v) (((u32)(u)&0xFFFF) | (u32)(v) << 16)

#define floattov16(n) ((v16)((n) * (1 << 12)))
#define floattot16(n) ((t16)((n) * (1 << 4)))
#define floattof32(n) ((int32)((n) * (1 << 12)))
#define floattov10(n) ((n) > .998 ? 0x1FF : (v10)((n) * (1 << 9)))
#define RGB15(r, g, b) ((rgb)((r) | (g) << 5 | (b) << 10))

/* Video: engine A on the top screen, BG0 showing the 3D picture; the banks' modes. */
#define MODE_0_3D 0x10108
#define VRAM_A_TEXTURE 3 /* texture slot 0 */
#define VRAM_B_TEXTURE (3 | 1 << 3)
#define VRAM_C_TEXTURE (3 | 2 << 3)
#define VRAM_D_TEXTURE (3 | 3 << 3)
static inline void videoSetMode(u32 mode) {
    REG_DISPCNT = mode;
}
void vramSetBankA(int mode);
void vramSetBankB(int mode);
void vramSetBankC(int mode);
void vramSetBankD(int mode);

/* The keys, as scanKeys last read them. */
#define KEY_A 1
#define KEY_B 2
void scanKeys(void);
u32 keysDown(void);
u32 keysHeld(void);
/* Until the next vertical blank begins. */
void swiWaitForVBlank(void);

/* 3D. */
#define GL_PROJECTION 0
#define GL_MODELVIEW 2
#define GL_TEXTURE_2D 1
#define GL_MAX_DEPTH 0x7FFF
#define POLY_CULL_NONE 0xC0
#define POLY_ALPHA(n) ((u32)(n) << 16)
#define POLY_ID(n) ((u32)(n) << 24)
#define POLY_FORMAT_LIGHT0 1
enum {
    TEXTURE_SIZE_8, TEXTURE_SIZE_16, TEXTURE_SIZE_32, TEXTURE_SIZE_64,
    TEXTURE_SIZE_128, TEXTURE_SIZE_256, TEXTURE_SIZE_512, TEXTURE_SIZE_1024
};
#define GL_RGBA 7
#define GL_TEXTURE_WRAP_S (1 << 16)
#define GL_TEXTURE_WRAP_T (1 << 17)
#define TEXGEN_OFF 0
int glInit(void);
static inline void glEnable(int bits) {
    GFX_CONTROL |= (u16)bits;
}
static inline void glDisable(int bits) {
    GFX_CONTROL &= (u16)~bits;
}
/* Components 0 to 31. */
static inline void glClearColor(u8 red, u8 green, u8 blue, u8 alpha) {
    GFX_CLEAR_COLOR = (GFX_CLEAR_COLOR & 0x3F000000u) | RGB15(red, green, blue) | (u32)alpha << 16;
}
static inline void glClearPolyID(u8 id) {
    GFX_CLEAR_COLOR = (GFX_CLEAR_COLOR & ~0x3F000000u) | (u32)(id & 63) << 24;
}
static inline void glClearDepth(u16 depth) {
    GFX_CLEAR_DEPTH = depth;
}
static inline void glViewport(u8 x1, u8 y1, u8 x2, u8 y2) {
    GFX_VIEWPORT = (u32)x1 | (u32)y1 << 8 | (u32)x2 << 16 | (u32)y2 << 24;
}
static inline void glMatrixMode(int mode) {
    MATRIX_CONTROL = (u32)mode;
}
static inline void glLoadIdentity(void) {
    MATRIX_IDENTITY = 0;
}
static inline void glPushMatrix(void) {
    MATRIX_PUSH = 0;
}
static inline void glPopMatrix(int num) {
    MATRIX_POP = (u32)num;
}
static inline void glTranslatef32(int x, int y, int z) {
    MATRIX_TRANSLATE = (u32)x;
    MATRIX_TRANSLATE = (u32)y;
    MATRIX_TRANSLATE = (u32)z;
}
#define glTranslate3f32 glTranslatef32
static inline void glScalev(const GLvector *v) {
    MATRIX_SCALE = (u32)v->x;
    MATRIX_SCALE = (u32)v->y;
    MATRIX_SCALE = (u32)v->z;
}
static inline void glColor(rgb color) {
    GFX_COLOR = color;
}
/* Light id (0 to 3): its direction (turned by the current vector matrix) and its colour. */
static inline void glLight(int id, rgb color, v10 x, v10 y, v10 z) {
    const u32 lumiere = (u32)(id & 3) << 30;
    GFX_LIGHT_VECTOR = lumiere | ((u32)z & 0x3FF) << 20 | ((u32)y & 0x3FF) << 10 | ((u32)x & 0x3FF);
    GFX_LIGHT_COLOR = lumiere | color;
}
static inline void glNormal(u32 normal) {
    GFX_NORMAL = normal;
}
/* The material of the vertices lit next: each call sends both its words. */
enum {
    GL_AMBIENT = 1,
    GL_DIFFUSE = 2,
    GL_AMBIENT_AND_DIFFUSE = 3,
    GL_SPECULAR = 4,
    GL_SHININESS = 8,
    GL_EMISSION = 0x10
};
void glMaterialf(int mode, rgb color);
static inline void glPolyFmt(u32 params) {
    GFX_POLY_FORMAT = params;
}
/* Sends the words after the count word, as many as it says (libnds's DMA sends them so). */
static inline void glCallList(const u32 *list) {
    for (u32 n = *list++; n > 0; --n)
        GFX_FIFO = *list++;
}
/* Swaps the buffers at the next vertical blank. */
static inline void glFlush(u32 mode) {
    GFX_FLUSH = mode;
}
/* Angles in degrees. */
void glRotateX(float angle);
void glRotateY(float angle);
void glRotateZ(float angle);
void gluPerspective(float fovy, float aspect, float zNear, float zFar);
void gluLookAt(float eyex, float eyey, float eyez, float lookAtx, float lookAty, float lookAtz,
               float upx, float upy, float upz);

/* The preview's program runs without the data cache: nothing to write back. */
static inline void DC_FlushRange(const void *base, u32 size) {
    (void)base, (void)size;
}

/* Textures: a name each, its texels in the texture banks, bound for the polygons that follow. */
int glGenTextures(int n, int *names);
void glBindTexture(int target, int name);
/* sizeX and sizeY: TEXTURE_SIZE_8 (8 texels) + n for 8 << n; type GL_RGBA, direct colour. */
int glTexImage2D(int target, int empty1, int type, int sizeX, int sizeY, int empty2, int param,
                 const void *texture);

#endif
