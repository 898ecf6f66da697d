/* A display-list file compiled as a DS program compiles it, with meshpress.h and libnds's names
   as libnds documents them: the words dessinerliste sends are recorded and walked as the geometry
   engine reads them, and each vertex and texture pair is checked against the model, read here
   as its format says (-DLISTE="x.h" -DTABLEAU=x): a text model (-DMODELE="x.txt") or an OBJ model
   (-DOBJ="x.obj", its materials' image sizes as -DTAILLES='{"nom", width, height}, ...', and
   MESHPRESS_TEXTURE_PACK_ANCIEN defined as the README prescribes). Or a keyframe file, its calls
   recorded: the pose each keyframe number gives (-DIMAGES="scene1.txt" -DPOSITION=position1). */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "nds.h"
#include "meshpress.h"
#ifdef IMAGES
void glTranslate3f32(int x, int y, int z) { printf(" translate %d %d %d", x, y, z); }
void glRotateX(float angle) { printf(" X %g", angle); }
void glRotateY(float angle) { printf(" Y %g", angle); }
void glRotateZ(float angle) { printf(" Z %g", angle); }
#include IMAGES
int main(void) {
    for (int nombre = 0; nombre <= 3; ++nombre) printf("%d:", nombre), POSITION(nombre), printf("\n");
}
#else
#include LISTE

/* Each vertex as the engine receives it: x, y, z, then the texture pair in force, S (the low half
   of the word) and T, in texels. */
static float vus[1 << 18][5];

/* The packed stream: each pack word names four commands, their parameter words follow it. The
   number of vertices, or -1 with the fault printed. */
static int parcourir(void) {
    int sommets = 0, fin = 0;
    float s = 0, t = 0;
    u32 j = 0;
    while (!fin && j < n) {
        const u32 pack = envoyes[j++];
        for (int k = 0; k < 4; ++k) {
            const u32 commande = pack >> 8 * k & 0xFF, p = envoyes[j], q = envoyes[j + 1];
            if (commande == FIFO_BEGIN && envoyes[j++] != GL_TRIANGLE) return printf("not GL_TRIANGLE at word %u\n", j), -1;
            if (commande == FIFO_TEX_COORD) s = (t16)p / 16.0f, t = (t16)(p >> 16) / 16.0f, ++j;
            if (commande == FIFO_VERTEX16) {
                const float v[5] = {(v16)p / 4096.0f, (v16)(p >> 16) / 4096.0f, (v16)q / 4096.0f, s, t};
                memcpy(vus[sommets++], v, sizeof v);
                j += 2;
            }
            fin |= commande == FIFO_END;
            if (commande != FIFO_BEGIN && commande != FIFO_TEX_COORD && commande != FIFO_VERTEX16 && commande != FIFO_NOP && !fin)
                return printf("unknown command %#x at word %u\n", commande, j), -1;
        }
    }
    if (!fin || j != n) return printf("the stream ends at word %u of %u\n", j, n), -1;
    return sommets;
}

static int proche(const float *a, const float *b, int k, float ecart) {
    for (int i = 0; i < k; ++i)
        if (fabsf(a[i] - b[i]) > ecart) return 0;
    return 1;
}

#ifdef OBJ
static float points[4096][3], uvs[4096][2];
static struct {
    const char *nom;
    int largeur, hauteur;
} tailles[] = {{"", 128, 128}, TAILLES};

static void produit(const float *a, const float *b, const float *c, double r[3]) {
    const double e[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, f[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    r[0] = e[1] * f[2] - e[2] * f[1], r[1] = e[2] * f[0] - e[0] * f[2], r[2] = e[0] * f[1] - e[1] * f[0];
}

/* Each polygon of the OBJ, in the file's order, gives the next n - 2 triangles (n its corners,
   but one at the place of the one before it, the first coming after the last): each corner one
   of the polygon's, at the OBJ's own coordinates, its texture pair s = u w, t = (1 - v) h for the
   size of its material's image; none facing against the polygon's Newell normal, and their areas
   along it adding up to the polygon's. */
static int verifier(int sommets) {
    FILE *f = fopen(OBJ, "r");
    char ligne[65536], mot[256];
    int np = 0, nt = 0, vu = 0, taille = 0, faces = 0, lus;
    while (fgets(ligne, sizeof ligne, f)) {
        /* A '\' at the end of a line joins the next one; a comment runs to the line's end. */
        for (size_t l = strcspn(ligne, "\r\n"); l > 0 && ligne[l - 1] == '\\'; l = strcspn(ligne, "\r\n"))
            if (!fgets(ligne + l - 1, (int)(sizeof ligne - l), f)) break;
        ligne[strcspn(ligne, "#")] = '\0';
        float *p = points[np], *q = uvs[nt];
        if (sscanf(ligne, " v %f %f %f", p, p + 1, p + 2) == 3) ++np;
        if (sscanf(ligne, " vt %f %f", q, q + 1) >= 1) ++nt;
        if (sscanf(ligne, " usemtl %255s", mot) == 1)
            for (taille = sizeof tailles / sizeof tailles[0] - 1; taille > 0 && strcmp(tailles[taille].nom, mot);) --taille;
        if (strncmp(ligne + strspn(ligne, " \t"), "f ", 2)) continue;
        const float *coin[4096];
        const float *uv[4096];
        int k = 0;
        for (char *c = ligne + strspn(ligne, " \t") + 1; k < 4096 && sscanf(c, " %255s%n", mot, &lus) == 1; c += lus) {
            int v, t = 0;
            if (sscanf(mot, "%d/%d", &v, &t) < 1) break;
            coin[k] = points[v > 0 ? v - 1 : np + v];
            uv[k] = t ? uvs[t > 0 ? t - 1 : nt + t] : NULL;
            /* A corner at the place of the one before it is no corner of the polygon. */
            if (k == 0 || memcmp(coin[k], coin[k - 1], sizeof points[0])) ++k;
        }
        while (k > 1 && !memcmp(coin[k - 1], coin[0], sizeof points[0])) --k;
        double normale[3] = {0, 0, 0}, somme = 0;
        for (int i = 0; i < k; ++i)
            for (int a = 0; a < 3; ++a) {
                const float *p1 = coin[i], *p2 = coin[(i + 1) % k];
                normale[a] += (p1[(a + 1) % 3] - p2[(a + 1) % 3]) * (double)(p1[(a + 2) % 3] + p2[(a + 2) % 3]);
            }
        const double aire = sqrt(normale[0] * normale[0] + normale[1] * normale[1] + normale[2] * normale[2]);
        for (int t = 0; t < k - 2; ++t, vu += 3) {
            if (vu + 3 > sommets) return printf("face %d: %d vertices sent, more expected\n", faces, sommets);
            for (int c = 0; c < 3; ++c) {
                int i = 0;
                while (i < k && !proche(vus[vu + c], coin[i], 3, 1.0f / 4096)) ++i;
                if (i == k) return printf("face %d, triangle %d: a corner not the polygon's\n", faces, t);
                const float s = uv[i] ? uv[i][0] * tailles[taille].largeur : 0, r = uv[i] ? (1 - uv[i][1]) * tailles[taille].hauteur : 0;
                if (uv[i] && (fabsf(vus[vu + c][3] - s) > 1 / 16.0f || fabsf(vus[vu + c][4] - r) > 1 / 16.0f))
                    return printf("face %d, corner %d: texture (%g, %g), (%g, %g) expected\n", faces, i, vus[vu + c][3], vus[vu + c][4], s, r);
            }
            double c[3];
            produit(vus[vu], vus[vu + 1], vus[vu + 2], c);
            const double d = (c[0] * normale[0] + c[1] * normale[1] + c[2] * normale[2]) / aire;
            if (d <= 0) return printf("face %d, triangle %d faces backwards\n", faces, t);
            somme += d;
        }
        if (fabs(somme - aire) > 1e-2 * aire) return printf("face %d: triangles of area %g, the polygon %g\n", faces, somme / 2, aire / 2);
        ++faces;
    }
    if (vu != sommets) return printf("%d vertices sent, %d from the OBJ's faces\n", sommets, vu);
    return printf("%d faces, %d triangles, each on its polygon\n", faces, vu / 3) < 0;
}
#else
static float points[1000][3], textures[1000][2], faces[1000][9], attendu[3000][5];

/* Each corner as written: (x, z, y), a tenth of the model's scale without texture, with
   S = 128 - 128 v and T = 128 - 128 u. */
static int verifier(int vertices) {
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
    if (vertices != sommets) return printf("%d vertices sent, %d in the model\n", vertices, sommets);
    for (int s = 0; s < sommets; ++s)
        if (!proche(vus[s], attendu[s], 3, 1 / 4096.0f) || (texture && !proche(vus[s] + 3, attendu[s] + 3, 2, 1 / 16.0f)))
            return printf("wrong at vertex %d of %d\n", s, sommets);
    return printf("%d vertices, each as the model says\n", sommets) < 0;
}
#endif

int main(void) {
    const u32 elements = sizeof TABLEAU / sizeof TABLEAU[0], voulus = (TABLEAU[0] < elements ? TABLEAU[0] : elements) - 1;
    dessinerliste(TABLEAU);
    /* Exactly the words after the count word that belong to the array. */
    if (n != voulus || memcmp(envoyes, TABLEAU + 1, 4 * voulus) != 0) return printf("%u words sent, %u expected\n", n, voulus);
    if (TABLEAU[0] != elements) return puts("count word differs from the element count: only bounds checked") < 0;
    const int sommets = parcourir();
    return sommets < 0 ? 1 : verifier(sommets);
}
#endif
