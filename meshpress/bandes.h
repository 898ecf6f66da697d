#pragma once
#include <cstdint>

// The groups of a list: maillage.h's triangles and quads as the BEGIN groups the packer sends,
// each group a run of vertex positions in maillage::sommets.
namespace bandes {

// BEGIN_VTXS's parameter: what a group's vertices make.
enum Type : uint32_t { TRIANGLES = 0, QUADS = 1, BANDE = 2, BANDEQUADS = 3 };

struct Groupe {
    Type type;
    int64_t debut, fin; // its vertices: indices[debut] to indices[fin - 1]
};

// Filled by construire, kept until the next call (program-wide, freed and made again there).
extern int32_t *indices;
extern int64_t nindices;
extern Groupe *groupes;
extern int64_t ngroupes;

// Without compacte: one group of separate triangles, in today's order. With compacte: triangle
// strips (the triangles of each exactly the model's, same corners and winding, none degenerate),
// the quads, then one group of the triangles no strip took. False when memory runs out.
bool construire(bool compacte);

} // namespace bandes
