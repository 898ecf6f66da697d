// Fuzz target: the fuzzer's bytes as a texture image, for memory errors and hangs in reading its
// header and decoding it into the DS's texels.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "texels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    // The converter reads images from files: one of its own, rewritten for each input.
    static char nom[] = "/tmp/fuzz-texture-XXXXXX";
    static int descripteur = mkstemp(nom);
    if (descripteur < 0) std::abort();
    if (ftruncate(descripteur, 0) != 0 || pwrite(descripteur, donnees, taille, 0) != static_cast<ssize_t>(taille))
        std::abort();
    char raison[1024];
    texels::lire(nom, raison, sizeof raison);
    return 0;
}
