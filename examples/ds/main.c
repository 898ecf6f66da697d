/* A DS program that draws the animator's scene: the objects of cube.h and pyramide.h (from
   meshpress), each posed by its keyframe file (scene0.txt and scene1.txt, from stagehand), seen
   through the animator's camera of each keyframe (scene_camera.txt), as the animator showed
   them, Blender's sign (panneau.h) with its texture (panneau_texture.h, from
   meshpress-texture), and beside it Blender's smooth sphere (boule.h, from meshpress --normales
   --couleurs --compacte), lit and coloured. A steps to the next keyframe. */
#include <nds.h>
/* The texture pairs as meshpress writes them: the sign's image the way up Blender shows it. */
#define MESHPRESS_TEXTURE_PACK_ANCIEN
#include "meshpress.h" /* dessinerobjet, chargertexture, eclairer, the old names */
#include "cube.h"
#include "pyramide.h"
#include "panneau.h"
#include "panneau_texture.h"
#include "boule.h"
#include "scene0.txt"
#include "scene1.txt"
#include "scene_camera.txt"

/* The keyframes saved: one for each Enter in stagehand. */
#define IMAGES 2

int main(void) {
    videoSetMode(MODE_0_3D);
    vramSetBankA(VRAM_A_TEXTURE); /* texture memory for the sign's image */
    glInit();
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 31, 31); /* the animator's blue */
    glClearPolyID(63);
    glClearDepth(GL_MAX_DEPTH);
    glViewport(0, 0, 255, 191);
    const int texture = chargertexture(panneau_texture);
    for (int image = 1;;) {
        scanKeys();
        if (keysDown() & KEY_A) image = image % IMAGES + 1;
        /* The projection and the camera of keyframe `image`, as the animator's window showed
           them. */
        camera(image);
        /* As the animator draws: both faces, opaque. */
        glPolyFmt(POLY_ALPHA(31) | POLY_CULL_NONE);
        /* The sign where Blender put it, its texture modulated by white: as the image is. */
        glPushMatrix();
        glColor(RGB15(31, 31, 31));
        glBindTexture(0, texture);
        dessinerobjet(panneau);
        glPopMatrix(1);
        /* The animator's colours when object 1 is selected: it black, the others white; no
           texture. */
        glBindTexture(0, 0);
        glPushMatrix();
        glColor(RGB15(0, 0, 0));
        position0(image);
        dessinerobjet(cube);
        glPopMatrix(1);
        glPushMatrix();
        glColor(RGB15(31, 31, 31));
        position1(image);
        dessinerobjet(pyramide);
        glPopMatrix(1);
        /* The sphere where Blender put it, lit by light 0 (eclairer: white, from the upper left,
           in front) with light 0 on in its polygon format; its list gives each vertex its normal
           and its colour, as the material's diffuse and ambient. */
        glPushMatrix();
        eclairer();
        polygoneseclaires(POLY_ALPHA(31) | POLY_CULL_NONE);
        dessinerobjet(boule);
        glPopMatrix(1);
        glFlush(0);
        swiWaitForVBlank();
    }
}
