/* The routines of nds.h that are not one register write: what libnds does for them, on the
   registers as GBATEK gives them; its fixed-point arithmetic is in virgule.c. The preview's scene
   and the example DS program both draw through them. */
#include "nds.h"
#include "virgule.h"

/* What libnds's start-up code does before main: the LCDs and both 2D engines powered, engine A
   on the top screen. */
void initsysteme(void) {
    REG_POWERCNT = 0x8203;
}

void vramSetBankA(int mode) {
    VRAM_CR[0] = (u8)(0x80 | mode);
}

void vramSetBankB(int mode) {
    VRAM_CR[1] = (u8)(0x80 | mode);
}

void vramSetBankC(int mode) {
    VRAM_CR[2] = (u8)(0x80 | mode);
}

void vramSetBankD(int mode) {
    VRAM_CR[3] = (u8)(0x80 | mode);
}

static u32 tenues, enfoncees;

/* KEYINPUT holds 0 for each key that is down. */
void scanKeys(void) {
    const u32 avant = tenues;
    tenues = ~(u32)REG_KEYINPUT & 0x3FF;
    enfoncees = tenues & ~avant;
}

u32 keysDown(void) {
    return enfoncees;
}

u32 keysHeld(void) {
    return tenues;
}

void swiWaitForVBlank(void) {
    while (REG_VCOUNT == 192) {
    }
    while (REG_VCOUNT != 192) {
    }
}

int glInit(void) {
    REG_POWERCNT |= 0x000C; /* 3D rendering and geometry */
    GFX_CONTROL = 0;
    GFX_CLEAR_COLOR = 0;
    GFX_CLEAR_DEPTH = GL_MAX_DEPTH;
    GFX_TEX_FORMAT = 0;
    GFX_POLY_FORMAT = 0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 1;
}

/* The rotations, the perspective and the camera: the words libnds computes in fixed point
   (virgule.c). */
static void tourner(float degres, int axe) {
    s32 m[9];
    matricerotation(axe, degresenangle(degres), m);
    for (int i = 0; i < 9; ++i)
        MATRIX_MULT3x3 = (u32)m[i];
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

void gluPerspective(float fovy, float aspect, float zNear, float zFar) {
    s32 m[16];
    matriceperspective(fovy, aspect, zNear, zFar, m);
    for (int i = 0; i < 16; ++i)
        MATRIX_MULT4x4 = (u32)m[i];
}

/* The modelview matrix times the camera's, as gluLookAtf32 computes it (virgule.c), which makes
   the modelview matrix current first. */
void gluLookAt(float eyex, float eyey, float eyez, float lookAtx, float lookAty, float lookAtz,
               float upx, float upy, float upz) {
    const float v[9] = {eyex, eyey, eyez, lookAtx, lookAty, lookAtz, upx, upy, upz};
    s32 m[12];
    matriceregard(v, m);
    glMatrixMode(GL_MODELVIEW);
    for (int i = 0; i < 12; ++i)
        MATRIX_MULT4x3 = (u32)m[i];
}

/* The material's two words, each call changing one half of one of them. */
void glMaterialf(int mode, rgb color) {
    static u32 diffuseambiante, speculaireemission;
    switch (mode) {
    case GL_AMBIENT:
        diffuseambiante = (u32)color << 16 | (diffuseambiante & 0xFFFF);
        break;
    case GL_DIFFUSE:
        diffuseambiante = color | (diffuseambiante & 0xFFFF0000);
        break;
    case GL_AMBIENT_AND_DIFFUSE:
        diffuseambiante = color | (u32)color << 16;
        break;
    case GL_SPECULAR:
        speculaireemission = color | (speculaireemission & 0xFFFF0000);
        break;
    case GL_EMISSION:
        speculaireemission = (u32)color << 16 | (speculaireemission & 0xFFFF);
        break;
    default:
        break;
    }
    GFX_DIFFUSE_AMBIENT = diffuseambiante;
    GFX_SPECULAR_EMISSION = speculaireemission;
}

/* Texture memory: banks A to D as slots 0 to 3, 512 KiB from texture address 0, which the ARM9
   writes with the banks in LCDC mode, where they lie one after the other from 0x06800000. */
#define NOMS 32
static u32 parametres[NOMS], libre, nomlie, noms;

int glGenTextures(int n, int *names) {
    if (n < 0 || noms + (u32)n >= NOMS) return 0;
    for (int i = 0; i < n; ++i)
        names[i] = (int)++noms;
    return 1;
}

void glBindTexture(int target, int name) {
    (void)target;
    nomlie = name > 0 && (u32)name <= noms ? (u32)name : 0;
    GFX_TEX_FORMAT = parametres[nomlie];
}

int glTexImage2D(int target, int empty1, int type, int sizeX, int sizeY, int empty2, int param,
                 const void *texture) {
    (void)target, (void)empty1, (void)empty2;
    const u32 octets = 2u * (8u << sizeX) * (8u << sizeY);
    if (nomlie == 0 || type != GL_RGBA || libre + octets > 512u * 1024) return 0;
    u8 modes[4];
    for (int i = 0; i < 4; ++i)
        modes[i] = VRAM_CR[i], VRAM_CR[i] = 0x80;
    const u16 *texels = texture;
    volatile u16 *vram = (volatile u16 *)(0x06800000 + libre);
    for (u32 i = 0; i < octets / 2; ++i)
        vram[i] = texels[i];
    for (int i = 0; i < 4; ++i)
        VRAM_CR[i] = modes[i];
    parametres[nomlie] = libre / 8 | (u32)sizeX << 20 | (u32)sizeY << 23 | (u32)type << 26 | (u32)param;
    GFX_TEX_FORMAT = parametres[nomlie];
    libre += octets;
    return 1;
}
