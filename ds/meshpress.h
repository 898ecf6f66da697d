/* For a DS program that draws what meshpress and stagehand write, with today's libnds (devkitPro's
   or BlocksDS's), as the animator showed it: include it after <nds.h> and before the display-list
   and keyframe files. */
#ifndef MESHPRESS_H
#define MESHPRESS_H

/* The files name the conversions of the first DS library, which libnds renamed long ago. */
#ifndef floatov16
#define floatov16(n) floattov16(n)
#endif
#ifndef floatot16
#define floatot16(n) floattot16(n)
#endif
#ifndef floatof32
#define floatof32(n) floattof32(n)
#endif

/* The files were written for the first DS library's TEXTURE_PACK, which put its first argument
   in the high half of the word, where the engine reads T (the texel row, growing downwards), and
   its second in the low half, S (the column): today's libnds puts the first in the low half, so
   textures come out transposed. Define MESHPRESS_TEXTURE_PACK_ANCIEN before this header to pack
   them as the files were written. Every texture line is then TEXTURE_PACK(t, s), and the DS maps
   the texture as the modelling tool shows it: from an OBJ model t = (1 - v) height and
   s = u width of the face's image; from a text model, t = 128 - 128 v and s = 128 - 128 u on its
   mirrored model (its y and z exchanged). */
#ifdef MESHPRESS_TEXTURE_PACK_ANCIEN
#undef TEXTURE_PACK
#define TEXTURE_PACK(s, t) ((u32)(s) << 16 | ((u32)(t)&0xFFFF))
#endif

/* The commands of the lists written with meshpress's options that libnds names no FIFO_ macro
   for: the id of each one's register, as libnds makes the others (REG2ID). */
#ifndef FIFO_VERTEX_DIFF
#define FIFO_VERTEX_DIFF REG2ID(GFX_VERTEX_DIFF)
#endif
#ifndef FIFO_MATRIX_PUSH
#define FIFO_MATRIX_PUSH REG2ID(MATRIX_PUSH)
#endif
#ifndef FIFO_MATRIX_POP
#define FIFO_MATRIX_POP REG2ID(MATRIX_POP)
#endif
#ifndef FIFO_MATRIX_SCALE
#define FIFO_MATRIX_SCALE REG2ID(MATRIX_SCALE)
#endif

/* Sends one display list to the geometry engine, never one word past the array whatever the
   count word says. A list written with meshpress's options counts the words after its count
   word (what glCallList sends): all of them are sent. Today's lists count the count word too (it
   is right only for models of three points per face): as many words as it says but itself. The
   two never meet: today's count word, 7 or 11 words a face for every three points, plus 4, is
   never one less than its array's elements. glCallList(list) would send count-word words of
   today's lists: the last one is not the array's, and the geometry engine takes it as commands. */
static inline void envoyerliste(const u32 *liste, u32 elements) {
    if (elements == 0) return;
    const u32 mots = liste[0] >= elements - 1 ? elements - 1 : liste[0] > 0 ? liste[0] - 1 : 0;
    for (u32 i = 1; i <= mots; ++i)
        GFX_FIFO = liste[i];
}

/* dessinerliste(cube) for the array u32 cube[] of a display-list file. */
#define dessinerliste(tableau) envoyerliste((tableau), sizeof(tableau) / sizeof((tableau)[0]))

/* Loads a texture that meshpress-texture wrote (tableau.h, included: the u16 tableau[] and its
   sides) into texture memory and binds it: the faces drawn next take it. The program first maps
   a VRAM bank for textures (vramSetBankA(VRAM_A_TEXTURE)) and enables them
   (glEnable(GL_TEXTURE_2D)). Gives the texture's name, for glBindTexture(0, name) before each
   object drawn with it, or 0 when libnds could not load it (no name left, no texture memory). The
   texture repeats beyond its sides, as modelling tools show UVs outside 0 to 1. */
static inline int chargertexels(const u16 *texels, u32 octets, int largeur, int hauteur) {
    int nom = 0;
    if (!glGenTextures(1, &nom)) return 0;
    glBindTexture(0, nom);
    DC_FlushRange(texels, octets);
    if (!glTexImage2D(0, 0, GL_RGBA, largeur, hauteur, 0,
                      GL_TEXTURE_WRAP_S | GL_TEXTURE_WRAP_T | TEXGEN_OFF, texels))
        return 0;
    return nom;
}
#define chargertexture(tableau)                                                                  \
    chargertexels((tableau), sizeof(tableau), tableau##_largeur, tableau##_hauteur)

/* Light and material for the lists written with normals (meshpress --normales), as the preview
   and stagehand light them: light 0 white, fixed to the camera, travelling right, down and into
   the screen (the model lit from the upper left, in front); the material's diffuse a light grey,
   its ambient a dark one, no specular, no emission. The DS lights a vertex when the list sends its
   NORMAL, with the material in force then: call it before each lit object (a list written with
   --couleurs and --normales sets its own diffuse and ambient, which stay after it), with the
   modelview matrix current, and draw the lit objects with light 0 in their polygon format
   (polygoneseclaires). */
static inline void eclairer(void) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLight(0, RGB15(31, 31, 31), floattov10(0.577), floattov10(-0.577), floattov10(-0.577));
    glPopMatrix(1);
    glMaterialf(GL_AMBIENT, RGB15(8, 8, 8));
    glMaterialf(GL_DIFFUSE, RGB15(24, 24, 24));
    glMaterialf(GL_SPECULAR, RGB15(0, 0, 0));
    glMaterialf(GL_EMISSION, RGB15(0, 0, 0));
}

/* The polygon format for the lit objects: the program's own with light 0 on, which the DS takes
   at the list's next BEGIN (glPolyFmt(POLY_ALPHA(31) | POLY_CULL_NONE) becomes
   polygoneseclaires(POLY_ALPHA(31) | POLY_CULL_NONE)). Without it a NORMAL gives the vertex no
   light but the emission: black. Lists without normals are drawn as before whatever it holds. */
static inline void polygoneseclaires(u32 format) {
    glPolyFmt(format | POLY_FORMAT_LIGHT0);
}

/* The animator shows every vertex at a tenth of the file's values: inside an object's pose (its
   keyframe function), dessinerobjet(cube) draws it as the animator showed it. */
static inline void echelleanimateur(void) {
    const GLvector dixieme = {floattof32(0.1), floattof32(0.1), floattof32(0.1)};
    glScalev(&dixieme);
}
#define dessinerobjet(tableau) (echelleanimateur(), dessinerliste(tableau))

/* The animator's view at its start, for the DS's screen (256 by 192, the animator's 4:3): its
   projection and its camera, the eye at (0, 0.4, 0) looking towards negative z. Leaves the
   modelview matrix current. The camera file stagehand writes beside the keyframe files
   (base_camera.txt, included once like them) holds camera(int nombre): called with a keyframe
   number in place of vueanimateur(), it sets the same projection and the animator's camera as it
   was at that keyframe (gluLookAt in the animator's units, which are the DS's: the tenth scale
   applies to the vertices only), and leaves the modelview matrix current; for a number it does
   not hold, the eye is at the origin looking towards negative z. */
static inline void vueanimateur(void) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 256.0 / 192.0, 0.1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0.4, 0, 0, 0.4, -1, 0, 1, 0);
}

#endif
