/* The preview's DS program, ARM9 side: sets the DS up as the example DS program does and draws
   the scene of scene.c (written by the preview command for the files it was given) through the
   same routines, every frame. The A key steps to the next keyframe; the bottom screen's colour
   says which keyframe is drawn, so that a capture knows what it holds. */
#include "nds.h"
#include "meshpress.h"

/* scene.c: the keyframe shown first, the textures into VRAM, the objects posed at a keyframe. */
extern const int premiereimage;
void chargertextures(void);
void dessinerscene(int image);
/* The camera file's view of the keyframe, or the animator's start view without one. */
void vuescene(int image);

/* What libnds's glCallList does with an array: count-word words after the count word. The last
   one is not the array's: here a word that the engine reads as commands with parameters. */
void commeglcalllist(const u32 *liste, u32 elements) {
    for (u32 i = 1; i <= liste[0]; ++i)
        GFX_FIFO = i < elements ? liste[i] : 0x12345678;
}

/* Engine B shows only its backdrop on the bottom screen: red and green the keyframe number's low
   ten bits, blue full while A is held. */
#define DISPCNT_B REGISTRE32(0x04001000)
#define FOND_B REGISTRE16(0x05000400)
static void montrerimage(int image, int tenue) {
    DISPCNT_B = 0x10000;
    FOND_B = RGB15(image & 31, image >> 5 & 31, tenue ? 31 : 0);
}

int main(void) {
    videoSetMode(MODE_0_3D);
    vramSetBankA(VRAM_A_TEXTURE);
    vramSetBankB(VRAM_B_TEXTURE);
    vramSetBankC(VRAM_C_TEXTURE);
    vramSetBankD(VRAM_D_TEXTURE);
    glInit();
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 31, 31); /* the animator's blue */
    glClearPolyID(63);
    glClearDepth(GL_MAX_DEPTH);
    glViewport(0, 0, 255, 191);
    chargertextures();
    for (int image = premiereimage;;) {
        scanKeys();
        if (keysDown() & KEY_A) ++image;
        montrerimage(image, keysHeld() & KEY_A);
        vuescene(image);
        glPolyFmt(POLY_ALPHA(31) | POLY_CULL_NONE);
        dessinerscene(image);
        glFlush(0);
        swiWaitForVBlank();
    }
}
