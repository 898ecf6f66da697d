/* Compiles a display-list source file as a DS program would, with the GX names defined here,
   and walks its packed command stream: each pack word names four commands whose parameter
   words follow it, the stream ends at FIFO_END, and the count word is the element count. */
#include <stdio.h>

typedef unsigned int u32;
enum { FIFO_NOP = 0x00, FIFO_TEX_COORD = 0x22, FIFO_VERTEX16 = 0x23, FIFO_BEGIN = 0x40,
       FIFO_END = 0x41, GL_TRIANGLE = 0 };
#define FIFO_COMMAND_PACK(c1, c2, c3, c4) \
    ((u32)(c1) | ((u32)(c2) << 8) | ((u32)(c3) << 16) | ((u32)(c4) << 24))
#define floatov16(n) ((u32)(int)((n) * 4096) & 0xFFFF)
#define floatot16(n) ((u32)(int)((n) * 16) & 0xFFFF)
#define VERTEX_PACK(a, b) ((u32)(a) | ((u32)(b) << 16))
#define TEXTURE_PACK(s, t) ((u32)(s) | ((u32)(t) << 16))

#include MODELE

static int parametres(u32 commande) {
    switch (commande) {
    case FIFO_NOP: case FIFO_END: return 0;
    case FIFO_BEGIN: case FIFO_TEX_COORD: return 1;
    case FIFO_VERTEX16: return 2;
    default: return -1;
    }
}

int main(void) {
    const u32 *mots = TABLEAU;
    const u32 taille = sizeof TABLEAU / sizeof TABLEAU[0];
    if (mots[0] != taille) { printf("count word %u, %u elements\n", mots[0], taille); return 1; }
    u32 i = 1, faces = 0;
    for (;;) {
        if (i >= taille) { puts("no FIFO_END"); return 1; }
        const u32 pack = mots[i++];
        int fin = 0;
        for (int k = 0; k < 4; ++k) {
            const u32 commande = (pack >> (8 * k)) & 0xFF;
            const int n = parametres(commande);
            if (n < 0 || (fin && commande != FIFO_NOP)) { printf("bad pack word %u\n", i - 1); return 1; }
            if (commande == FIFO_END) fin = 1;
            if (commande == FIFO_VERTEX16) ++faces;
            i += (u32)n;
        }
        if (fin) break;
    }
    if (i != taille) { printf("%u words after FIFO_END\n", taille - i); return 1; }
    printf("%u vertices\n", faces);
    return 0;
}
