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

/* Sends one display list to the geometry engine: the words after its count word, as many as the
   count word says but itself, and never one past the array whatever the count word says (it is
   only right for models of three points per face). glCallList(list) would send count-word words:
   the last one is not the array's, and the geometry engine takes it as commands. */
static inline void envoyerliste(const u32 *liste, u32 elements) {
    u32 fin = elements > 0 && liste[0] < elements ? liste[0] : elements;
    for (u32 i = 1; i < fin; ++i)
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
