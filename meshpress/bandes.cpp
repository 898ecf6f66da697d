#include "bandes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
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
// How many times at most the triangles left alone are strung again.
constexpr int PASSES = 4;

// The triangles no strip took, three vertices each; the quads' triangles.
uint32_t *seuls = nullptr;
int64_t nseuls = 0;
uint8_t *dansquad = nullptr;
// The sides of the quads (then of the triangles left alone), sorted, and which of them a group
// has taken.
struct Cote {
    int32_t de, vers;
    int32_t quad, rotation; // the polygon, whose corners from rotation on start with de, vers
};
Cote *cotes = nullptr;
int64_t ncotes = 0;
uint8_t *pris = nullptr;

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

bool degenere(const uint32_t *s, size_t k) {
    return s[k] == s[k + 1] || s[k] == s[k + 2] || s[k + 1] == s[k + 2];
}

// The vertex that makes (a, b, c) the next triangle of the strip ending p, q whose next triangle
// has the parity impair, or REPRISE when the triangle does not have that side. The DS and OpenGL
// draw a strip's triangle k as (k, k + 1, k + 2) when k is even, as (k + 1, k, k + 2) when odd.
uint32_t suite(uint32_t a, uint32_t b, uint32_t c, uint32_t p, uint32_t q, bool impair) {
    const uint32_t t[3] = {a, b, c}, de = impair ? q : p, vers = impair ? p : q;
    for (int r = 0; r < 3; ++r)
        if (t[r] == de && t[(r + 1) % 3] == vers) return t[(r + 2) % 3];
    return REPRISE;
}

// Whether the last group is a strip sent forwards, which the next triangles of the stripifier
// may join (set by couper, cleared at each pass).
bool ouverte = false;

// Whether the triangle (a, b, c) joins the strip ouverte as the DS draws it; then it has.
bool joindre(uint32_t a, uint32_t b, uint32_t c) {
    if (!ouverte) return false;
    const int64_t n = nindices - groupes[ngroupes - 1].debut;
    const uint32_t x = suite(a, b, c, static_cast<uint32_t>(indices[nindices - 2]),
                             static_cast<uint32_t>(indices[nindices - 1]), n % 2 != 0);
    if (x == REPRISE) return false;
    indices[nindices++] = static_cast<int32_t>(x);
    fermer();
    return true;
}

// One strip of the stripifier, n vertices. Where it turns a corner it repeats a vertex, making
// degenerate triangles: the strip is cut there, and each run of whole triangles between them
// sent as a strip of its own, unless its first triangle joins the strip before. A run that
// starts on an odd triangle would change the windings as a strip of its own: with an odd number
// of triangles it is sent backwards (which turns every winding back), else its first triangle
// joins the strip before or is drawn alone, the rest starting on an even one.
void couper(const uint32_t *s, int64_t n) {
    int64_t k = 0;
    while (k + 2 < n) {
        if (degenere(s, k)) {
            ++k;
            continue;
        }
        int64_t dernier = k; // the run's last triangle
        while (dernier + 3 < n && !degenere(s, dernier + 1)) ++dernier;
        const bool impair = k % 2 != 0;
        const uint32_t a = s[impair ? k + 1 : k], b = s[impair ? k : k + 1], c = s[k + 2];
        if (k == dernier || (impair && (dernier - k) % 2 != 0)) {
            if (!joindre(a, b, c)) seul(a, b, c);
            ++k;
        }
        ouverte = false;
        if (k < dernier || (k == dernier && k % 2 == 0)) {
            ouvrir(BANDE);
            if (k == dernier) {
                // A lone triangle left after the one that joined: alone too.
                --ngroupes;
                seul(s[k], s[k + 1], s[k + 2]);
            } else {
                for (int64_t i = k; i <= dernier + 2; ++i)
                    indices[nindices++] = static_cast<int32_t>(k % 2 == 0 ? s[i] : s[k + dernier + 2 - i]);
                fermer();
                ouverte = k % 2 == 0;
            }
        }
        k = dernier + 1;
    }
}

void liberer() {
    std::free(indices);
    std::free(groupes);
    std::free(seuls);
    std::free(dansquad);
    std::free(cotes);
    std::free(pris);
    cotes = nullptr;
    pris = nullptr;
    indices = nullptr;
    groupes = nullptr;
    seuls = nullptr;
    dansquad = nullptr;
    nindices = ngroupes = nseuls = ncotes = 0;
}

// One group of separate triangles, in today's order.
void separes() {
    ouvrir(TRIANGLES);
    for (int32_t t = 0; t < maillage::ntriangles; ++t)
        for (int32_t c : maillage::triangles[t]) indices[nindices++] = c;
    fermer();
}

int32_t coin(int32_t q, int32_t r) {
    return maillage::quads[q].coins[r & 3];
}

// A polygon not yet taken with the side de -> vers, or -1; its rotation putting that side first.
int32_t voisin(int32_t de, int32_t vers, int32_t &rotation) {
    const Cote *c = std::lower_bound(cotes, cotes + ncotes, Cote{de, vers, 0, 0}, [](const Cote &x, const Cote &y) {
        return x.de != y.de ? x.de < y.de : x.vers < y.vers;
    });
    for (; c < cotes + ncotes && c->de == de && c->vers == vers; ++c)
        if (!pris[c->quad]) {
            rotation = c->rotation;
            return c->quad;
        }
    return -1;
}

// A quad strip from quad q, its corners from rotation r: a b c d sent a, b, d, c; each next quad
// shares the side d -> c reversed, turned to (d, c, p, q) and sent q, p (GBATEK: a quad strip
// draws 0-1-3-2, 2-3-5-4).
void bandequads(int32_t q, int32_t r) {
    ouvrir(BANDEQUADS);
    for (int i : {0, 1, 3, 2}) indices[nindices++] = coin(q, r + i);
    pris[q] = 1;
    int32_t suivant = 0;
    while ((q = voisin(coin(q, r + 3), coin(q, r + 2), suivant)) >= 0) {
        r = suivant;
        indices[nindices++] = coin(q, r + 3);
        indices[nindices++] = coin(q, r + 2);
        pris[q] = 1;
    }
    fermer();
}

// The quads whose two triangles are the model's and no other quad's: in strips where quads
// follow each other (a chain started where nothing comes before it, so that it runs whole), the
// others in one group.
bool quads() {
    cotes = static_cast<Cote *>(std::malloc(4 * static_cast<size_t>(maillage::nquads) * sizeof *cotes + 1));
    pris = static_cast<uint8_t *>(std::calloc(static_cast<size_t>(maillage::nquads) + 1, 1));
    if (cotes == nullptr || pris == nullptr) return false;
    for (int32_t q = 0; q < maillage::nquads; ++q) {
        const maillage::Quad &quad = maillage::quads[q];
        pris[q] = quad.premier < 0 || quad.premier + 1 >= maillage::ntriangles || dansquad[quad.premier] ||
                  dansquad[quad.premier + 1];
        if (pris[q]) continue;
        dansquad[quad.premier] = dansquad[quad.premier + 1] = 1;
        for (int32_t r = 0; r < 4; ++r) cotes[ncotes++] = {coin(q, r), coin(q, r + 1), q, r};
    }
    std::sort(cotes, cotes + ncotes, [](const Cote &x, const Cote &y) {
        return x.de != y.de ? x.de < y.de : x.vers < y.vers;
    });
    int32_t r = 0;
    for (bool tete : {true, false})
        for (int32_t q = 0; q < maillage::nquads; ++q)
            for (int32_t rotation = 0; rotation < 4 && !pris[q]; ++rotation) {
                pris[q] = 1;
                const bool suite = voisin(coin(q, rotation + 3), coin(q, rotation + 2), r) >= 0;
                const bool avant = voisin(coin(q, rotation + 1), coin(q, rotation), r) >= 0;
                pris[q] = 0;
                if (suite && (!tete || !avant)) bandequads(q, rotation);
            }
    ouvrir(QUADS);
    for (int32_t q = 0; q < maillage::nquads; ++q)
        if (!pris[q])
            for (int32_t c : maillage::quads[q].coins) indices[nindices++] = c;
    fermer();
    if (groupes[ngroupes - 1].debut == nindices) --ngroupes;
    return true;
}

// The strips of every triangle that no quad took and that has three distinct corners (the
// stripifier would lose the others); the triangles left alone are strung again while that makes
// strips of some, and what is left at the end is drawn alone.
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
        for (int passe = 0; passe < PASSES && nentree > 0; ++passe) {
            // Triangles in the order meant for strips make longer ones.
            meshopt_optimizeVertexCacheStrip(ordre, entree, static_cast<size_t>(nentree), nsommets);
            const size_t nbande = meshopt_stripify(bande, ordre, static_cast<size_t>(nentree), nsommets, REPRISE);
            nseuls = 0;
            ouverte = false;
            size_t debut = 0;
            for (size_t i = 0; i <= nbande; ++i) {
                if (i < nbande && bande[i] != REPRISE) continue;
                couper(bande + debut, static_cast<int64_t>(i - debut));
                debut = i + 1;
            }
            if (nseuls == nentree) break;
            std::memcpy(entree, seuls, static_cast<size_t>(nseuls) * sizeof *seuls);
            nentree = nseuls;
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

// The strip ending at v[n - 1] (it starts at debut) taking every triangle left alone that it
// would draw as the triangle is: the DS draws its next triangle (p, q, x) after an even number of
// triangles, (q, p, x) after an odd one.
void prolonger(int32_t *v, int64_t &n, int64_t debut) {
    int32_t r = 0, t;
    while ((t = (n - debut) % 2 != 0 ? voisin(v[n - 1], v[n - 2], r) : voisin(v[n - 2], v[n - 1], r)) >= 0) {
        pris[t] = 1;
        v[n++] = static_cast<int32_t>(seuls[3 * t + (r + 2) % 3]);
    }
}

// The triangles left alone that continue a strip join it, the others string together where one
// continues another (any side of a strip's first triangle will do for its second); the rest are
// drawn alone, in one group.
bool rattacher() {
    const int32_t nt = static_cast<int32_t>(nseuls / 3);
    std::free(cotes);
    std::free(pris);
    cotes = static_cast<Cote *>(std::malloc(3 * static_cast<size_t>(nt) * sizeof *cotes + 1));
    pris = static_cast<uint8_t *>(std::calloc(static_cast<size_t>(nt) + 1, 1));
    int32_t *v = static_cast<int32_t *>(std::malloc(static_cast<size_t>(nindices + nseuls + 1) * sizeof *v));
    if (cotes == nullptr || pris == nullptr || v == nullptr) {
        std::free(v);
        return false;
    }
    ncotes = 0;
    for (int32_t t = 0; t < nt; ++t)
        for (int32_t r = 0; r < 3; ++r)
            cotes[ncotes++] = {static_cast<int32_t>(seuls[3 * t + r]), static_cast<int32_t>(seuls[3 * t + (r + 1) % 3]), t, r};
    std::sort(cotes, cotes + ncotes, [](const Cote &x, const Cote &y) {
        return x.de != y.de ? x.de < y.de : x.vers < y.vers;
    });
    int64_t n = 0;
    for (int64_t g = 0; g < ngroupes; ++g) {
        Groupe &groupe = groupes[g];
        const int64_t debut = n;
        for (int64_t i = groupe.debut; i < groupe.fin; ++i) v[n++] = indices[i];
        if (groupe.type == BANDE) prolonger(v, n, debut);
        groupe.debut = debut;
        groupe.fin = n;
    }
    int32_t r = 0;
    for (int32_t t = 0; t < nt; ++t)
        for (int32_t k = 0; k < 3 && !pris[t]; ++k) {
            const uint32_t *c = seuls + 3 * t;
            pris[t] = 1;
            if (voisin(static_cast<int32_t>(c[(k + 2) % 3]), static_cast<int32_t>(c[(k + 1) % 3]), r) < 0) {
                pris[t] = 0;
                continue;
            }
            const int64_t debut = n;
            for (int i = 0; i < 3; ++i) v[n++] = static_cast<int32_t>(c[(k + i) % 3]);
            prolonger(v, n, debut);
            groupes[ngroupes++] = {BANDE, debut, n};
        }
    groupes[ngroupes++] = {TRIANGLES, n, n};
    for (int32_t t = 0; t < nt; ++t)
        if (!pris[t])
            for (int i = 0; i < 3; ++i) v[n++] = static_cast<int32_t>(seuls[3 * t + i]);
    groupes[ngroupes - 1].fin = n;
    if (groupes[ngroupes - 1].debut == n) --ngroupes;
    std::free(indices);
    indices = v;
    nindices = n;
    return true;
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
    if (!quads() || !strips() || !rattacher()) {
        liberer();
        return false;
    }
    return true;
}
