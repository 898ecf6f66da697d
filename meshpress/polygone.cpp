#include "polygone.h"

#include <algorithm>
#include <cmath>

namespace polygone {

namespace {

// The corners kept, as a ring; their projection on the polygon's plane; which are reflex (only
// those can lie inside an ear) and which are still in the ring.
int garde[MAXCOINS];
double u[MAXCOINS], v[MAXCOINS];
int precedent[MAXCOINS], suivant[MAXCOINS];
bool reflexe[MAXCOINS], restant[MAXCOINS];

// The corners by place, in a grid of cells over the projected polygon: an ear is tested against
// the corners of the cells its triangle covers, not against all of them.
constexpr int MAXCELLULES = 256;
int premier[MAXCELLULES * MAXCELLULES], apres[MAXCOINS];
int cellules;
double umin, vmin, pasu, pasv;

int colonne(double x, double debut, double pas) {
    const int c = static_cast<int>((x - debut) * pas);
    return c < 0 ? 0 : c >= cellules ? cellules - 1 : c;
}

void ranger(int m) {
    umin = vmin = INFINITY;
    double umax = -INFINITY, vmax = -INFINITY;
    for (int i = 0; i < m; ++i) {
        umin = std::fmin(umin, u[i]), umax = std::fmax(umax, u[i]);
        vmin = std::fmin(vmin, v[i]), vmax = std::fmax(vmax, v[i]);
    }
    cellules = 1;
    while (cellules < MAXCELLULES && 2 * cellules * cellules < m)
        cellules *= 2;
    pasu = umax > umin ? cellules / (umax - umin) : 0;
    pasv = vmax > vmin ? cellules / (vmax - vmin) : 0;
    for (int k = 0; k < cellules * cellules; ++k)
        premier[k] = -1;
    for (int i = 0; i < m; ++i) {
        const int k = colonne(v[i], vmin, pasv) * cellules + colonne(u[i], umin, pasu);
        apres[i] = premier[k];
        premier[k] = i;
    }
}

bool memepoint(const float *a, const float *b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

void difference(const float *a, const float *b, double d[3]) {
    for (int k = 0; k < 3; ++k)
        d[k] = static_cast<double>(a[k]) - static_cast<double>(b[k]);
}

// The normal of triangle abc along n: positive when it faces the same way.
double orientation(const float *a, const float *b, const float *c, const double n[3]) {
    double e[3], f[3];
    difference(b, a, e);
    difference(c, a, f);
    return (e[1] * f[2] - e[2] * f[1]) * n[0] + (e[2] * f[0] - e[0] * f[2]) * n[1] +
           (e[0] * f[1] - e[1] * f[0]) * n[2];
}

// Twice the signed area of the projected triangle abc: positive when counter-clockwise.
double aire(int a, int b, int c) {
    return (u[b] - u[a]) * (v[c] - v[a]) - (v[b] - v[a]) * (u[c] - u[a]);
}

// Whether the projected point p lies inside triangle abc or on its edges.
bool dedans(int p, int a, int b, int c) {
    return aire(a, b, p) >= 0 && aire(b, c, p) >= 0 && aire(c, a, p) >= 0;
}

void classer(int i) {
    reflexe[i] = aire(precedent[i], i, suivant[i]) <= 0;
}

// Whether corner i is an ear: convex, and no other corner inside the triangle it cuts off
// but those at the same place as one of its three (a polygon may touch itself there).
bool oreille(int i, const float *const *coins) {
    if (reflexe[i]) return false;
    const int a = precedent[i], c = suivant[i];
    const int u0 = colonne(std::fmin(u[a], std::fmin(u[i], u[c])), umin, pasu);
    const int u1 = colonne(std::fmax(u[a], std::fmax(u[i], u[c])), umin, pasu);
    const int v0 = colonne(std::fmin(v[a], std::fmin(v[i], v[c])), vmin, pasv);
    const int v1 = colonne(std::fmax(v[a], std::fmax(v[i], v[c])), vmin, pasv);
    for (int ligne = v0; ligne <= v1; ++ligne)
        for (int k = ligne * cellules + u0; k <= ligne * cellules + u1; ++k)
            for (int j = premier[k]; j >= 0; j = apres[j]) {
                if (!restant[j] || !reflexe[j] || j == a || j == c) continue;
                const float *p = coins[garde[j]];
                if (memepoint(p, coins[garde[a]]) || memepoint(p, coins[garde[i]]) ||
                    memepoint(p, coins[garde[c]]))
                    continue;
                if (dedans(j, a, i, c)) return false;
            }
    return true;
}

int couper(int i, int (*triangles)[3], int t) {
    const int a = precedent[i], c = suivant[i];
    triangles[t][0] = garde[a];
    triangles[t][1] = garde[i];
    triangles[t][2] = garde[c];
    reflexe[i] = restant[i] = false;
    suivant[a] = c;
    precedent[c] = a;
    classer(a);
    classer(c);
    return c;
}

// The ears waiting to be cut, in the order they were found: cutting around the ring keeps the
// triangles small, where cutting on from one corner would fan thin slivers across the polygon.
int file[MAXCOINS], tete, enfile;
bool dansfile[MAXCOINS];

void enfiler(int i, const float *const *coins) {
    if (dansfile[i] || !oreille(i, coins)) return;
    dansfile[i] = true;
    file[(tete + enfile++) % MAXCOINS] = i;
}

// The kept corners projected on the polygon's plane along the axis its normal leans on most,
// counter-clockwise seen from the normal's side.
void projeter(int m, const double n[3], const float *const *coins) {
    int axe = 0;
    for (int k = 1; k < 3; ++k)
        if (std::fabs(n[k]) > std::fabs(n[axe])) axe = k;
    // The two other axes in the order that keeps the winding, swapped when the normal points
    // down the dropped axis.
    const int a = (axe + 1) % 3, b = (axe + 2) % 3;
    const bool inverse = n[axe] < 0;
    for (int i = 0; i < m; ++i) {
        const float *p = coins[garde[i]];
        u[i] = inverse ? p[b] : p[a];
        v[i] = inverse ? p[a] : p[b];
    }
}

// The sign of twice the signed area of the projected triangle abc.
int sens(int a, int b, int c) {
    const double s = aire(a, b, c);
    return (s > 0) - (s < 0);
}

// The projected edges, each from corner i to i + 1, by where they start along u; those the sweep
// still crosses.
int ordre[MAXCOINS], actives[MAXCOINS];

double debutu(int i, int m) {
    return std::fmin(u[i], u[(i + 1) % m]);
}

// Whether two edges of the projected outline cross, each through the other's inside: one edge
// that only touches another (at a corner, or along it) is no crossing, as a polygon may touch
// itself. The edges are swept along u: each is tested against those whose u extent it
// overlaps, and whose v extent too.
bool secoupe(int m) {
    for (int i = 0; i < m; ++i)
        ordre[i] = i;
    std::sort(ordre, ordre + m, [m](int a, int b) { return debutu(a, m) < debutu(b, m); });
    int nactives = 0;
    for (int k = 0; k < m; ++k) {
        const int e = ordre[k], f = (e + 1) % m;
        const double debut = debutu(e, m);
        const double bas = std::fmin(v[e], v[f]), haut = std::fmax(v[e], v[f]);
        int gardees = 0;
        for (int j = 0; j < nactives; ++j) {
            const int a = actives[j], b = (a + 1) % m;
            if (std::fmax(u[a], u[b]) < debut) continue;
            actives[gardees++] = a;
            if (std::fmax(v[a], v[b]) < bas || std::fmin(v[a], v[b]) > haut) continue;
            if (a == f || b == e) continue;
            if (sens(a, b, e) * sens(a, b, f) < 0 && sens(e, f, a) * sens(e, f, b) < 0) return true;
        }
        nactives = gardees;
        actives[nactives++] = e;
    }
    return false;
}

// Ear clipping in the projected plane, counter-clockwise: m - 2 triangles. Cutting an ear
// changes whether only its two neighbours are ears, so only they are tested again.
int oreilles(int m, const float *const *coins, int (*triangles)[3], bool &bloque) {
    for (int i = 0; i < m; ++i) {
        precedent[i] = (i + m - 1) % m;
        suivant[i] = (i + 1) % m;
        reflexe[i] = dansfile[i] = false;
        restant[i] = true;
    }
    for (int i = 0; i < m; ++i)
        classer(i);
    ranger(m);
    tete = enfile = 0;
    for (int i = 0; i < m; ++i)
        enfiler(i, coins);
    int t = 0, dernier = 0;
    for (int restants = m; restants > 3; --restants) {
        int i = -1;
        while (enfile > 0 && i < 0) {
            i = file[tete];
            tete = (tete + 1) % MAXCOINS;
            --enfile;
            dansfile[i] = false;
            if (!restant[i] || !oreille(i, coins)) i = -1;
        }
        if (i < 0) {
            // No ear: the polygon crosses or touches itself. A convex corner goes, or any, so that
            // every corner is still used and the loop ends.
            bloque = true;
            i = dernier;
            for (int j = suivant[dernier]; j != dernier && reflexe[i]; j = suivant[j])
                i = j;
        }
        dernier = couper(i, triangles, t++);
        enfiler(precedent[dernier], coins);
        enfiler(dernier, coins);
    }
    triangles[t][0] = garde[precedent[dernier]];
    triangles[t][1] = garde[dernier];
    triangles[t][2] = garde[suivant[dernier]];
    return t + 1;
}

} // namespace

Triangulation trianguler(int n, const float *const *coins, int (*triangles)[3]) {
    int m = 0;
    for (int i = 0; i < n; ++i)
        if (m == 0 || !memepoint(coins[i], coins[garde[m - 1]])) garde[m++] = i;
    while (m > 1 && memepoint(coins[garde[m - 1]], coins[garde[0]]))
        --m;
    if (m < 3) return {0, false, false};
    // The Newell normal, and the polygon's extent to tell a zero area from rounding.
    double normale[3] = {0, 0, 0}, etendue = 0;
    for (int i = 0; i < m; ++i) {
        const float *p = coins[garde[i]], *q = coins[garde[(i + 1) % m]];
        double d[3];
        difference(q, p, d);
        etendue = std::fmax(etendue, d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int k = 0; k < 3; ++k) {
            const int a = (k + 1) % 3, b = (k + 2) % 3;
            normale[k] += (static_cast<double>(p[a]) - q[a]) * (static_cast<double>(p[b]) + q[b]);
        }
    }
    const double longueur =
        std::sqrt(normale[0] * normale[0] + normale[1] * normale[1] + normale[2] * normale[2]);
    if (!(longueur > 1e-12 * etendue)) return {0, false, false};
    if (m == 3) {
        for (int k = 0; k < 3; ++k)
            triangles[0][k] = garde[k];
        return {1, false, false};
    }
    projeter(m, normale, coins);
    if (m == 4) {
        // Each diagonal, judged by the worse of its two triangles (the cosine of its angle to the
        // polygon's normal); the first one on a tie.
        const float *p[4] = {coins[garde[0]], coins[garde[1]], coins[garde[2]], coins[garde[3]]};
        const int diagonales[2][2][3] = {{{0, 1, 2}, {0, 2, 3}}, {{0, 1, 3}, {1, 2, 3}}};
        double note[2];
        for (int d = 0; d < 2; ++d) {
            note[d] = INFINITY;
            for (const auto &t : diagonales[d]) {
                double e[3], f[3];
                difference(p[t[1]], p[t[0]], e);
                difference(p[t[2]], p[t[0]], f);
                const double c[3] = {e[1] * f[2] - e[2] * f[1], e[2] * f[0] - e[0] * f[2],
                                     e[0] * f[1] - e[1] * f[0]};
                const double l = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
                const double o = orientation(p[t[0]], p[t[1]], p[t[2]], normale);
                note[d] = std::fmin(note[d], l > 0 ? o / (l * longueur) : -1);
            }
        }
        const int d = note[1] > note[0] + 1e-9 ? 1 : 0;
        if (note[d] > 0) {
            for (int t = 0; t < 2; ++t)
                for (int k = 0; k < 3; ++k)
                    triangles[t][k] = garde[diagonales[d][t][k]];
            return {2, secoupe(m), false};
        }
    }
    bool bloque = false;
    const bool recoupe = secoupe(m);
    const int t = oreilles(m, coins, triangles, bloque);
    return {t, recoupe, bloque && !recoupe};
}

} // namespace polygone
