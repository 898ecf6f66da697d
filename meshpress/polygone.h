#pragma once

// A polygon of a model, split into triangles over its own corners, in its winding.
namespace polygone {

// The most corners a polygon may have.
constexpr int MAXCOINS = 1 << 16;

struct Triangulation {
    int triangles; // written to the caller's table: n - 2 less repeated corners, 0 if degenerate
    bool recoupe;  // two edges of its outline cross: its triangles cannot cover it exactly
    bool touche;   // it does not, but touches itself so that no ear could be cut: some of its
                   // triangles overlap or face away
};

// Splits the polygon whose n corners (at most MAXCOINS) lie at coins[0..n-1] (x, y, z) into
// triangles, as triples of corner positions in that list, in the polygon's winding, covering
// it exactly, concave polygons included. The work is done in the polygon's own plane, projected
// along its Newell normal; a quad takes the diagonal that keeps both its triangles facing that
// normal (real exports hold slightly folded quads). A corner that repeats the one before it
// is left out; fewer than three corners left, or no area, is a degenerate polygon.
Triangulation trianguler(int n, const float *const *coins, int (*triangles)[3]);

} // namespace polygone
