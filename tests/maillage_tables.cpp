// The model's tables, for the packer's test to fill, while the reader that owns them is not
// built into the program.
#include "maillage.h"

namespace maillage {

Options options{};
Sommet sommets[MAXSOMMETS];
int32_t nsommets = 0;
int32_t triangles[CAPACITE][3];
int32_t ntriangles = 0;
Quad quads[CAPACITE / 2];
int32_t nquads = 0;
bool texturee = false, eclairee = false, coloree = false;
int exposant = 0;

} // namespace maillage
