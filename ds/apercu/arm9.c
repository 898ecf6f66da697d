/* The preview's DS program, ARM9 side: draws the scene of scene.c as the animator does, on the
   geometry engine's registers (GBATEK), without libnds. The same start camera and 45 degree
   perspective (the DS screen, 256 by 192, has the animator's 4:3 aspect), a blue background,
   the objects white but the first one black, each posed by its keyframe when one is given and,
   as the animator shows them, at a tenth of the file's scale; with a texture, the textured
   lists drawn with it. */
#include "nds.h"

#define REGISTRE(adresse) (*(volatile u32 *)(adresse))
#define DISPCNT REGISTRE(0x04000000)
#define VCOUNT (*(volatile unsigned short *)0x04000006)
#define DISP3DCNT REGISTRE(0x04000060)
#define POWCNT1 REGISTRE(0x04000304)
#define CLEAR_COLOR REGISTRE(0x04000350)
#define CLEAR_DEPTH REGISTRE(0x04000354)
#define MTX_MODE REGISTRE(0x04000440)
#define MTX_PUSH REGISTRE(0x04000444)
#define MTX_POP REGISTRE(0x04000448)
#define MTX_IDENTITY REGISTRE(0x04000454)
#define MTX_LOAD_4x4 REGISTRE(0x04000458)
#define MTX_MULT_3x3 REGISTRE(0x04000468)
#define MTX_SCALE REGISTRE(0x0400046C)
#define MTX_TRANS REGISTRE(0x04000470)
#define COLOR REGISTRE(0x04000480)
#define POLYGON_ATTR REGISTRE(0x040004A4)
#define TEXIMAGE_PARAM REGISTRE(0x040004A8)
#define SWAP_BUFFERS REGISTRE(0x04000540)
#define VIEWPORT REGISTRE(0x04000580)
#define VRAMCNT_A (*(volatile unsigned char *)0x04000240)
#define VRAM_A ((volatile unsigned short *)0x06800000)

/* 20.12 fixed point. */
#define F32(x) ((s32)((x)*4096.0))

/* The scene: scene.c, written by the preview command for the files it was given, with the
   texture's texels when it was given one (its sides 0 otherwise). */
void dessinerscene(void);
extern const int texturelargeur, texturehauteur;
extern const unsigned short texels[];
static u32 parametretexture;

/* The texture into VRAM bank A, which the ARM9 writes in LCDC mode and the engine then reads as
   texture slot 0: direct colour, repeated in both directions. */
static void chargertexture(void) {
    if (texturelargeur == 0) return;
    VRAMCNT_A = 0x80;
    for (int i = 0; i < texturelargeur * texturehauteur; ++i)
        VRAM_A[i] = texels[i];
    VRAMCNT_A = 0x83;
    u32 s = 0, t = 0;
    while ((8 << s) < texturelargeur)
        ++s;
    while ((8 << t) < texturehauteur)
        ++t;
    parametretexture = 1u << 16 | 1u << 17 | s << 20 | t << 23 | 7u << 26;
    DISP3DCNT = 1; /* texture mapping */
}

/* sin and cos of an angle in degrees, in 20.12: the angle brought within half a turn, then
   their series, exact to far below the 1/4096 of the result. */
static void sinuscosinus(float degres, s32 *sinus, s32 *cosinus) {
    while (degres > 180.0f)
        degres -= 360.0f;
    while (degres < -180.0f)
        degres += 360.0f;
    const float x = degres * (3.14159265358979f / 180.0f), x2 = x * x;
    float s = x, c = 1.0f, terme_s = x, terme_c = 1.0f;
    for (int k = 1; k <= 12; ++k) {
        terme_s *= -x2 / (float)((2 * k) * (2 * k + 1));
        terme_c *= -x2 / (float)((2 * k - 1) * (2 * k));
        s += terme_s;
        c += terme_c;
    }
    *sinus = (s32)(s * 4096.0f + (s < 0 ? -0.5f : 0.5f));
    *cosinus = (s32)(c * 4096.0f + (c < 0 ? -0.5f : 0.5f));
}

void glTranslate3f32(s32 x, s32 y, s32 z) {
    MTX_TRANS = (u32)x;
    MTX_TRANS = (u32)y;
    MTX_TRANS = (u32)z;
}

/* The rotation about one axis, as the rows of a 3x3 matrix that the engine multiplies the
   current one by (row vectors): the same turn as OpenGL's glRotatef. */
static void tourner(float degres, int axe) {
    s32 s, c;
    sinuscosinus(degres, &s, &c);
    const s32 lignes[3][9] = {
        {4096, 0, 0, 0, c, s, 0, -s, c},
        {c, 0, -s, 0, 4096, 0, s, 0, c},
        {c, s, 0, -s, c, 0, 0, 0, 4096},
    };
    for (int i = 0; i < 9; ++i)
        MTX_MULT_3x3 = (u32)lignes[axe][i];
}

void glRotateX(float angle) {
    tourner(angle, 0);
}

void glRotateY(float angle) {
    tourner(angle, 1);
}

void glRotateZ(float angle) {
    tourner(angle, 2);
}

/* Object numero: its own matrix, and black for the first object, white for the others; a
   textured one white with the texture, which modulates its colour. */
void debutobjet(int numero, int texture) {
    MTX_PUSH = 0;
    COLOR = numero == 1 && !texture ? 0 : 0x7FFF;
    TEXIMAGE_PARAM = texture ? parametretexture : 0;
}

/* The animator divides every vertex value by 10. */
void dixieme(void) {
    MTX_SCALE = F32(0.1);
    MTX_SCALE = F32(0.1);
    MTX_SCALE = F32(0.1);
}

void finobjet(void) {
    MTX_POP = 1;
}

/* What libnds's glCallList does with an array: count-word words after the count word. The last
   one is not the array's: here a word that the engine reads as commands with parameters. */
void commeglcalllist(const u32 *liste, u32 elements) {
    for (u32 i = 1; i <= liste[0]; ++i)
        GFX_FIFO = i < elements ? liste[i] : 0x12345678;
}

int main(void) {
    POWCNT1 = 0x800F;  /* both 2D engines, 3D rendering and geometry, engine A on the top screen */
    DISPCNT = 0x10108; /* graphics display, BG0 on, BG0 shows the 3D picture */
    DISP3DCNT = 0;
    chargertexture();
    CLEAR_COLOR = 0x7C00 | 31 << 16; /* blue, opaque */
    CLEAR_DEPTH = 0x7FFF;
    VIEWPORT = 0 | 0 << 8 | 255u << 16 | 191u << 24;
    /* gluPerspective(45, 256 / 192, 0.1, 1000), in OpenGL's order, which is the engine's. */
    const double f = 2.414213562373095, proche = 0.1, loin = 1000;
    const s32 projection[16] = {F32(f * 192 / 256),
                                0,
                                0,
                                0,
                                0,
                                F32(f),
                                0,
                                0,
                                0,
                                0,
                                F32((loin + proche) / (proche - loin)),
                                -4096,
                                0,
                                0,
                                F32(2 * loin * proche / (proche - loin)),
                                0};
    for (;;) {
        MTX_MODE = 0;
        for (int i = 0; i < 16; ++i)
            MTX_LOAD_4x4 = (u32)projection[i];
        /* The animator's start camera: the eye at (0, 0.4, 0), looking towards negative z. */
        MTX_MODE = 2;
        MTX_IDENTITY = 0;
        glTranslate3f32(0, F32(-0.4), 0);
        POLYGON_ATTR = 0xC0 | 31 << 16; /* both faces, opaque */
        TEXIMAGE_PARAM = 0;
        dessinerscene();
        SWAP_BUFFERS = 0;
        while (VCOUNT != 192) {
        }
        while (VCOUNT == 192) {
        }
    }
}
