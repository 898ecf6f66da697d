// Fuzz target: the animator's loader parsing arbitrary bytes into a vertex callback and a texture
// pair callback, the same bytes as the C text and as the .bin of a list of meshpress's options,
// their commands interpreted, then as a texture file of meshpress-texture, for memory errors and
// hangs; no X server is needed.
#include "chargeur.h"
#include "listemots.h"
#include "textures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    FILE *f = fmemopen(const_cast<uint8_t *>(donnees), taille, "r"), *console = std::fopen("/dev/null", "w");
    analyserliste(f, [](float, float, float) {}, console, [](float, float) {});
    Lecturemots lu;
    for (const bool binaire : {false, true}) {
        std::rewind(f);
        if (binaire) lirebinaire(f, lu);
        if (binaire || liretexte(f, lu)) interpreter(lu, [](commandes::Code, const float *) {});
    }
    std::rewind(f);
    char raison[1024];
    lirefichiertexture(f, raison, sizeof raison);
    std::fclose(f);
    std::fclose(console);
    return 0;
}
