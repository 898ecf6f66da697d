// The display-list loader as first written, on the standard formatted input, kept as the
// oracle that the fast loader must match vertex for vertex.
#include "oracle.h"

#include <cstdlib>
#include <cstring>

namespace oracle {

using Sommet = void (*)(float, float, float);

namespace {

// The scratch buffer of one file: the count word sizes it as 5 slots per element, but only as
// a hint. A count too small, missing or absurdly large never sizes it blindly: it holds at
// least one face and at most this many slots.
constexpr long long MINSLOTS = 9;
constexpr long long MAXSLOTS = 1 << 24;
float secours[MINSLOTS];

struct Tampon {
    float *slots;
    long long taille;
};

Tampon creertampon(long long compte, bool comptelu) {
    long long taille = MINSLOTS;
    if (comptelu && compte >= 3) taille = compte > MAXSLOTS / 5 ? MAXSLOTS : 5 * compte;
    if (taille < MINSLOTS) taille = MINSLOTS;
    auto *slots = static_cast<float *>(std::calloc(static_cast<size_t>(taille), sizeof(float)));
    if (slots != nullptr) return {slots, taille};
    std::memset(secours, 0, sizeof secours);
    return {secours, MINSLOTS};
}

void liberertampon(Tampon &t) {
    if (t.slots != secours) std::free(t.slots);
}

// The end-test word: "a" (a null pointer) until a scan assigns a word of any length, which
// glibc's "%ms" allocates.
const char *texte(const char *fin) {
    return fin != nullptr ? fin : "a";
}

bool est(const char *fin, const char *attendu) {
    return std::strcmp(texte(fin), attendu) == 0;
}

void remplacer(char *&fin, char *nouveau) {
    if (nouveau == nullptr) return;
    std::free(fin);
    fin = nouveau;
}

void lirevertex(FILE *f, float *slots) {
    std::fscanf(f, "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n",
                &slots[0], &slots[1], &slots[2]);
}

void lirecoordtexture(FILE *f) {
    std::fscanf(f, "TEXTURE_PACK(floatot16(%*f),floatot16(%*f)),\n");
}

void emettre(Sommet sommet, const float *slots) {
    for (int k = 0; k < 9; k += 3) sommet(slots[k] / 10, slots[k + 1] / 10, slots[k + 2] / 10);
}

// A pass of a face loop must move through the file: a file of another layout leaves every
// scan stuck at the same character, and such a pass adds no triangle and ends the loop.
bool avance(FILE *f, long avant) {
    const long apres = std::ftell(f);
    return apres >= 0 && apres != avant;
}

// The next face's slots; reused from the start when the next face would not fit.
long long suivant(long long p, long long pas, const Tampon &t) {
    p += pas;
    return p + 9 > t.taille ? 0 : p;
}

void facessanstexture(FILE *f, Tampon &t, char *&fin, Sommet sommet) {
    for (long long p = 0;; p = suivant(p, 9, t)) {
        const long avant = std::ftell(f);
        float *face = t.slots + p;
        lirevertex(f, face);
        lirevertex(f, face + 3);
        lirevertex(f, face + 6);
        char *mot = nullptr;
        std::fscanf(f, "FIFO_COMMAND_PACK(%ms %*s %*s FIFO_NOP),\n", &mot);
        remplacer(fin, mot);
        if (!avance(f, avant)) return;
        emettre(sommet, face);
        if (est(fin, "FIFO_END,") || std::feof(f)) return;
    }
}

void facesavectexture(FILE *f, Tampon &t, char *&fin, Sommet sommet) {
    for (long long p = 0;; p = suivant(p, 3, t)) {
        const long avant = std::ftell(f);
        float *face = t.slots + p;
        lirecoordtexture(f);
        lirevertex(f, face);
        lirecoordtexture(f);
        lirevertex(f, face + 3);
        std::fscanf(f, "FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_NOP,FIFO_NOP),\n");
        lirecoordtexture(f);
        lirevertex(f, face + 6);
        char *mot = nullptr;
        std::fscanf(f, "FIFO_COMMAND_PACK(%ms %*s %*s %*s\n", &mot);
        remplacer(fin, mot);
        if (!avance(f, avant)) return;
        emettre(sommet, face);
        if (est(fin, "FIFO_END,") || std::feof(f)) return;
    }
}

} // namespace

void analyserliste(FILE *f, Sommet sommet, FILE *console) {
    long long compte = 0;
    char *fin = nullptr;
    char *quatrieme = nullptr;
    const int lus = std::fscanf(f,
                                "u32 %*s = {%lli,\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, "
                                "FIFO_NOP),\n GL_TRIANGLE,\nFIFO_COMMAND_PACK(%*s %*s %*s %ms\n",
                                &compte, &quatrieme);
    remplacer(fin, quatrieme);
    Tampon tampon = creertampon(compte, lus >= 1);
    if (est(fin, "FIFO_NOP),")) {
        facessanstexture(f, tampon, fin, sommet);
    } else if (est(fin, "FIFO_VERTEX16),")) {
        facesavectexture(f, tampon, fin, sommet);
    } else {
        // A word naming no variant is shown, and the object gets no triangles.
        std::fprintf(console, "%s", texte(fin));
    }
    liberertampon(tampon);
    std::free(fin);
}

} // namespace oracle
