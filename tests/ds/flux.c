/* A display-list file compiled as a DS program compiles it, with meshpress.h and libnds's names
   as libnds documents them: the words dessinerliste sends are recorded and walked as the geometry
   engine reads them, and each vertex and texture pair is checked against the model, read here
   as its format says (-DLISTE="x.h" -DTABLEAU=x -DMODELE="x.txt"). Or a keyframe file, its calls
   recorded: the pose each keyframe number gives (-DIMAGES="scene1.txt" -DPOSITION=position1). */
#include <math.h>
#include <stdio.h>
#include <string.h>

typedef unsigned int u32;
typedef int s32;
typedef short v16, t16;
static u32 envoyes[1 << 20], n;
#define GFX_FIFO envoyes[n++ % (1 << 20)]
enum { FIFO_NOP = 0, FIFO_TEX_COORD = 0x22, FIFO_VERTEX16 = 0x23, FIFO_BEGIN = 0x40, FIFO_END = 0x41, GL_TRIANGLE = 0 };
#define FIFO_COMMAND_PACK(c1, c2, c3, c4) ((u32)(c1) | (u32)(c2) << 8 | (u32)(c3) << 16 | (u32)(c4) << 24)
#define VERTEX_PACK(x, y) (((u32)(x) & 0xFFFF) | (u32)(y) << 16)
#define TEXTURE_PACK(u, v) (((u32)(u) & 0xFFFF) | (u32)(v) << 16)
#define floattov16(n) ((v16)((n) * (1 << 12)))
#define floattot16(n) ((t16)((n) * (1 << 4)))
#define floattof32(n) ((s32)((n) * (1 << 12)))
#include "meshpress.h"
#ifdef IMAGES
static void glTranslate3f32(s32 x, s32 y, s32 z) { printf(" translate %d %d %d", x, y, z); }
static void glRotateX(float angle) { printf(" X %g", angle); }
static void glRotateY(float angle) { printf(" Y %g", angle); }
static void glRotateZ(float angle) { printf(" Z %g", angle); }
#include IMAGES
int main(void) {
    for (int nombre = 0; nombre <= 3; ++nombre) printf("%d:", nombre), POSITION(nombre), printf("\n");
}
#else
#include LISTE

static float points[1000][3], textures[1000][2], faces[1000][9], attendu[3000][5];

int main(void) {
    const u32 elements = sizeof TABLEAU / sizeof TABLEAU[0], voulus = (TABLEAU[0] < elements ? TABLEAU[0] : elements) - 1;
    dessinerliste(TABLEAU);
    /* Exactly the words after the count word that belong to the array. */
    if (n != voulus || memcmp(envoyes, TABLEAU + 1, 4 * voulus) != 0) return printf("%u words sent, %u expected\n", n, voulus);
    if (TABLEAU[0] != elements) return puts("count word differs from the element count: only bounds checked") < 0;
    /* Each corner as written: (x, z, y), a tenth of the model's scale without texture, with
       S = 128 - 128 v and T = 128 - 128 u. */
    FILE *f = fopen(MODELE, "r");
    char mot[256];
    int i, c[3], texture = 0, sommets = 0;
    while (fscanf(f, "%255s", mot) == 1) texture |= strcmp(mot, "Textures:") == 0;
    for (rewind(f); fscanf(f, "%255s", mot) == 1;) {
        float *p = strcmp(mot, "Points:") == 0 ? points[0] : strcmp(mot, "Textures:") == 0 ? textures[0] : NULL;
        if (p && fscanf(f, "%d", &i) == 1) fscanf(f, "%f %f", p + (p == points[0] ? 3 : 2) * i, p + (p == points[0] ? 3 : 2) * i + 1);
        if (p == points[0]) fscanf(f, "%f", &points[i][2]);
        if (strcmp(mot, "Faces:") && strcmp(mot, "FaceTextures:")) continue;
        fscanf(f, "%d %d %d %d", &i, &c[0], &c[1], &c[2]);
        for (int k = 0; k < 3; ++k) {
            const float *q = points[c[k]], e = texture ? 1 : 10;
            if (mot[5] == ':') faces[i][3 * k] = q[0] / e, faces[i][3 * k + 1] = q[2] / e, faces[i][3 * k + 2] = q[1] / e;
            if (mot[5] == ':' && texture) continue;
            memcpy(attendu[sommets], faces[i] + 3 * k, 3 * sizeof(float));
            attendu[sommets][3] = 128 - 128 * textures[c[k]][1];
            attendu[sommets++][4] = 128 - 128 * textures[c[k]][0];
        }
    }
    /* The packed stream: each pack word names four commands, their parameter words follow it. */
    int sommet = 0, faute = 0, fin = 0;
    u32 j = 0;
    while (!fin && !faute && j < n) {
        const u32 pack = envoyes[j++];
        for (int k = 0; k < 4; ++k) {
            const u32 commande = pack >> 8 * k & 0xFF, p = envoyes[j], q = envoyes[j + 1];
            const float *a = attendu[sommet];
            if (commande == FIFO_BEGIN) faute |= envoyes[j++] != GL_TRIANGLE;
            else if (commande == FIFO_TEX_COORD && ++j)
                faute |= fabs((t16)p / 16.0 - a[3]) > 1 / 16.0 || fabs((t16)(p >> 16) / 16.0 - a[4]) > 1 / 16.0;
            else if (commande == FIFO_VERTEX16 && (j += 2) && ++sommet)
                faute |= fabs((v16)p / 4096.0 - a[0]) > 1 / 4096.0 || fabs((v16)(p >> 16) / 4096.0 - a[1]) > 1 / 4096.0 ||
                         fabs((v16)q / 4096.0 - a[2]) > 1 / 4096.0;
            else fin |= commande == FIFO_END, faute |= commande != FIFO_NOP && commande != FIFO_END;
        }
    }
    if (faute || !fin || j != n || sommet != sommets) return printf("wrong at word %u, vertex %d of %d\n", j, sommet, sommets);
    return printf("%d vertices, each as the model says\n", sommet) < 0;
}
#endif
