#include "bandes.h"

#include <cstdlib>
#include <meshoptimizer.h>

#include "maillage.h"

namespace bandes {

int32_t *indices = nullptr;
int64_t nindices = 0;
Groupe *groupes = nullptr;
int64_t ngroupes = 0;

} // namespace bandes

using namespace bandes;

namespace {

// Where the stripifier starts a new strip.
constexpr unsigned REPRISE = ~0u;

// The triangles no strip took, three vertices each; the quads' triangles.
uint32_t *seuls = nullptr;
int64_t nseuls = 0;
uint8_t *dansquad = nullptr;

void ouvrir(Type type) {
    groupes[ngroupes++] = {type, nindices, nindices};
}

void fermer() {
    groupes[ngroupes - 1].fin = nindices;
}

void seul(uint32_t a, uint32_t b, uint32_t c) {
    seuls[nseuls++] = a;
    seuls[nseuls++] = b;
    seuls[nseuls++] = c;
}

// The DS and OpenGL draw a strip's triangle k as (k, k + 1, k + 2) when k is even and as
// (k + 1, k, k + 2) when k is odd.
bool degenere(const uint32_t *s, int64_t k) {
    return s[k] == s[k + 1] || s[k] == s[k + 2] || s[k + 1] == s[k + 2];
}

// One strip of the stripifier, n vertices. Where it turns a corner it repeats a vertex, making
// degenerate triangles: the strip is cut there, and each run of whole triangles becomes a strip
// of its own. A run that starts on an odd triangle would change that triangle's winding as the
// first of a strip: that triangle is drawn alone, the run's strip starting after it.
void couper(const uint32_t *s, int64_t n) {
    int64_t k = 0;
    while (k + 2 < n) {
        if (degenere(s, k)) {
            ++k;
            continue;
        }
        int64_t dernier = k; // the run's last triangle
        while (dernier + 3 < n && !degenere(s, dernier + 1)) ++dernier;
        if (k % 2 != 0) {
            seul(s[k + 1], s[k], s[k + 2]);
            ++k;
        }
        if (k == dernier) {
            seul(s[k], s[k + 1], s[k + 2]);
        } else if (k < dernier) {
            ouvrir(BANDE);
            for (int64_t i = k; i <= dernier + 2; ++i) indices[nindices++] = static_cast<int32_t>(s[i]);
            fermer();
        }
        k = dernier + 1;
    }
}

void liberer() {
    std::free(indices);
    std::free(groupes);
    std::free(seuls);
    std::free(dansquad);
    indices = nullptr;
    groupes = nullptr;
    seuls = nullptr;
    dansquad = nullptr;
    nindices = ngroupes = nseuls = 0;
}

// One group of separate triangles, in today's order.
void separes() {
    ouvrir(TRIANGLES);
    for (int32_t t = 0; t < maillage::ntriangles; ++t)
        for (int32_t c : maillage::triangles[t]) indices[nindices++] = c;
    fermer();
}

// The quads whose two triangles are the model's and no other quad's, in one group.
void quads() {
    ouvrir(QUADS);
    for (int32_t q = 0; q < maillage::nquads; ++q) {
        const maillage::Quad &quad = maillage::quads[q];
        if (quad.premier < 0 || quad.premier + 1 >= maillage::ntriangles) continue;
        if (dansquad[quad.premier] || dansquad[quad.premier + 1]) continue;
        dansquad[quad.premier] = dansquad[quad.premier + 1] = 1;
        for (int32_t c : quad.coins) indices[nindices++] = c;
    }
    fermer();
    if (groupes[ngroupes - 1].debut == nindices) --ngroupes;
}

// The strips of every triangle that no quad took and that has three distinct corners (the
// stripifier would lose the others); what is left is drawn alone.
bool strips() {
    const int64_t n = maillage::ntriangles;
    uint32_t *entree = static_cast<uint32_t *>(std::malloc(static_cast<size_t>(3 * n + 1) * sizeof *entree));
    uint32_t *ordre = static_cast<uint32_t *>(std::malloc(static_cast<size_t>(3 * n + 1) * sizeof *ordre));
    const size_t borne = meshopt_stripifyBound(static_cast<size_t>(3 * n)) + 1;
    uint32_t *bande = static_cast<uint32_t *>(std::malloc(borne * sizeof *bande));
    bool bon = entree != nullptr && ordre != nullptr && bande != nullptr;
    if (bon) {
        int64_t nentree = 0;
        for (int64_t t = 0; t < n; ++t) {
            const int32_t *c = maillage::triangles[t];
            if (dansquad[t] || c[0] == c[1] || c[0] == c[2] || c[1] == c[2]) continue;
            for (int i = 0; i < 3; ++i) entree[nentree++] = static_cast<uint32_t>(c[i]);
        }
        const size_t nsommets = static_cast<size_t>(maillage::nsommets);
        // The strips come longer from triangles in the order a vertex cache likes.
        meshopt_optimizeVertexCache(ordre, entree, static_cast<size_t>(nentree), nsommets);
        const size_t nbande = meshopt_stripify(bande, ordre, static_cast<size_t>(nentree), nsommets, REPRISE);
        size_t debut = 0;
        for (size_t i = 0; i <= nbande; ++i) {
            if (i < nbande && bande[i] != REPRISE) continue;
            couper(bande + debut, static_cast<int64_t>(i - debut));
            debut = i + 1;
        }
        for (int64_t t = 0; t < n; ++t) {
            const int32_t *c = maillage::triangles[t];
            if (!dansquad[t] && (c[0] == c[1] || c[0] == c[2] || c[1] == c[2]))
                seul(static_cast<uint32_t>(c[0]), static_cast<uint32_t>(c[1]), static_cast<uint32_t>(c[2]));
        }
    }
    std::free(entree);
    std::free(ordre);
    std::free(bande);
    return bon;
}

} // namespace

bool bandes::construire(bool compacte) {
    liberer();
    // Every triangle costs at most three vertices (a strip of k triangles has k + 2, a quad 4 for
    // two) and every group has one triangle at least, bar the one of an empty model.
    const size_t n = static_cast<size_t>(maillage::ntriangles);
    indices = static_cast<int32_t *>(std::malloc((3 * n + 1) * sizeof *indices));
    groupes = static_cast<Groupe *>(std::malloc((n + 2) * sizeof *groupes));
    if (indices == nullptr || groupes == nullptr) {
        liberer();
        return false;
    }
    if (!compacte || n == 0) {
        separes();
        return true;
    }
    seuls = static_cast<uint32_t *>(std::malloc(3 * n * sizeof *seuls));
    dansquad = static_cast<uint8_t *>(std::calloc(n, 1));
    if (seuls == nullptr || dansquad == nullptr) {
        liberer();
        return false;
    }
    quads();
    if (!strips()) {
        liberer();
        return false;
    }
    if (nseuls > 0) {
        ouvrir(TRIANGLES);
        for (int64_t i = 0; i < nseuls; ++i) indices[nindices++] = static_cast<int32_t>(seuls[i]);
        fermer();
    }
    return true;
}
