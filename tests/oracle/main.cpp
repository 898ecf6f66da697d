// The oracle as a program, for the benchmark: the same answers, the same files, standard I/O.
#include <cstdio>

#include "oracle.h"

int main() {
    char nom[256], base[254], sortie[256];
    if (std::scanf("%255s %253s", nom, base) != 2) return 0;
    std::snprintf(sortie, sizeof sortie, "%s.h", base);
    FILE *entree = std::fopen(nom, "r");
    FILE *detection = std::fopen(nom, "r");
    FILE *f = std::fopen(sortie, "w");
    if (entree == nullptr || detection == nullptr || f == nullptr) return 0;
    oracle::convertir(entree, detection, f, base);
    std::fclose(f);
    return 0;
}
