#include "ecriture.h"

#include <cstdint>
#include <initializer_list>

void ecrireentete(FILE *sortie, const char *nomtableau, int32_t motcompte) {
    std::fprintf(sortie,
                 "u32 %s[] = {%i,\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n"
                 " GL_TRIANGLE,\n",
                 nomtableau, static_cast<int>(motcompte));
}

static void ecrirevertex(FILE *sortie, double v1, double v2, double v3) {
    std::fprintf(sortie, "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n",
                 v1, v2, v3);
}

static void ecriretexture(FILE *sortie, const float t[2]) {
    // v comes first: S = 128 - 128 v, T = 128 - 128 u.
    std::fprintf(sortie, "TEXTURE_PACK(floatot16(%f),floatot16(%f)),\n",
                 128.0 - 128.0 * static_cast<double>(t[1]),
                 128.0 - 128.0 * static_cast<double>(t[0]));
}

void ecrireface(FILE *sortie, const float a[3], const float b[3], const float c[3]) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_VERTEX16, FIFO_VERTEX16, FIFO_VERTEX16, FIFO_NOP),\n",
               sortie);
    // A tenth of the model's scale, its z in second place and its y in third.
    for (const float *p : {a, b, c})
        ecrirevertex(sortie, static_cast<double>(p[0]) / 10, static_cast<double>(p[2]) / 10,
                     static_cast<double>(p[1]) / 10);
}

void ecrirefacetexture(FILE *sortie, const float face[9], const float ta[2], const float tb[2],
                       const float tc[2]) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_TEX_COORD, FIFO_VERTEX16),\n",
               sortie);
    ecriretexture(sortie, ta);
    ecrirevertex(sortie, face[0], face[1], face[2]);
    ecriretexture(sortie, tb);
    ecrirevertex(sortie, face[3], face[4], face[5]);
    std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_NOP,FIFO_NOP),\n", sortie);
    ecriretexture(sortie, tc);
    ecrirevertex(sortie, face[6], face[7], face[8]);
}

void ecrirefin(FILE *sortie) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_END, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};", sortie);
}

int32_t motcompte(int32_t nombrepoint, bool avectexture) {
    const int64_t mots = (avectexture ? 11 : 7) * static_cast<int64_t>(nombrepoint) / 3 + 4;
    if (mots > INT32_MAX) return INT32_MAX;
    if (mots < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(mots);
}
