/* Reads matrices.attendu's inputs and prints each line again with the words virgule.c gives:
   the preview's fixed-point routines against a table computed apart from them. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "virgule.h"

int main(void) {
    char ligne[512], genre[32], a[32], b[32], c[32], d[32];
    while (fgets(ligne, sizeof ligne, stdin)) {
        s32 m[16];
        int n = 0;
        if (sscanf(ligne, "rotation %31s %31s :", a, b) == 2) {
            matricerotation(a[0] - 'X', degresenangle(strtof(b, NULL)), m);
            printf("rotation %s %s :", a, b);
            n = 9;
        } else if (sscanf(ligne, "%31s %31s %31s %31s %31s :", genre, a, b, c, d) == 5 && strcmp(genre, "perspective") == 0) {
            matriceperspective(strtof(a, NULL), strtof(b, NULL), strtof(c, NULL), strtof(d, NULL), m);
            printf("perspective %s %s %s %s :", a, b, c, d);
            n = 16;
        } else if (strncmp(ligne, "regard ", 7) == 0) {
            float v[9];
            char *fin = ligne + 7;
            for (int i = 0; i < 9; ++i)
                v[i] = strtof(fin, &fin);
            matriceregard(v, m);
            printf("%.*s :", (int)(fin - ligne), ligne);
            n = 12;
        } else {
            fprintf(stderr, "matrices: unreadable line: %s", ligne);
            return 1;
        }
        for (int i = 0; i < n; ++i)
            printf(" %d", m[i]);
        printf("\n");
    }
    return 0;
}
