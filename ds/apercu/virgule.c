/* libnds's fixed-point arithmetic, written from its documentation and sources (math.h, trig.c,
   videoGL.h and videoGL.c, the same in devkitPro's and BlocksDS's) and GBATEK:
   - f32 is 20.12 fixed point; floattof32(n) is (int)(n * 4096), which truncates towards zero.
   - mulf32 keeps the high bits of the 64-bit product: (a * b) >> 12, an arithmetic shift, so it
     rounds towards minus infinity.
   - divf32 is the hardware divider's 64-by-32 division of num << 12 by den, whose quotient
     truncates towards zero (GBATEK, "DS Maths Division Unit").
   - Angles: 32768 to the turn; glRotateX/Y/Z(float) and gluPerspective(float) convert degrees as
     (int)(degrees * 32768 / 360.0), truncated.
   - sinLerp/cosLerp/tanLerp: 512 steps to the turn, each step 64 angle units. The sine table holds
     a quarter turn, entries 0 to 128, floor(sin * 32768); the tangent table the same steps,
     floor(tan * 65536) (16.16), its entry at the quarter turn 400.0. The angle's six low bits
     interpolate between the step's entry and the next: prev + ((next - prev) * low >> 6), then a
     shift drops the sine to 12 fractional bits (>> 3) and the tangent to 20.12 (>> 4). The
     tangent is odd about the half turn; the step that starts at a quarter turn starts from
     -400.0 and the one that ends there ends at +400.0. cosLerp(a) is sinLerp(a + 8192).
   - glRotateXi/Yi/Zi send the 3x3 matrix of sinLerp and cosLerp of the angle.
   - gluPerspectivef32: top = mulf32(zNear, tanLerp(fovy >> 1)), bottom = -top, left =
     mulf32(bottom, aspect), right = mulf32(top, aspect) (mulf32 floors: left is -right - 1
     unless the product is exact), then glFrustumf32's 4x4 load, by rows: 2n/(r-l), 0, 0, 0;
     0, 2n/(t-b), 0, 0; (r+l)/(r-l), (t+b)/(t-b), -(f+n)/(f-n), -1.0; 0, 0,
     -2 mulf32(f, n)/(f-n), 0; each quotient a divf32.
   - gluLookAt(float) converts its nine numbers with floattof32; gluLookAtf32 takes forward =
     eye - lookAt, normalised, side = up x forward, normalised, then up = forward x side; it
     sends side, up, forward as the 4x3 matrix's columns and -eye.side, -eye.up, -eye.forward
     below. Products and dot products of mulf32s; normalising divides each component (divf32) by
     sqrtf32 of the sum of the squares, the hardware square root of a << 12, floored (GBATEK,
     "DS Maths Square Root").
   The tables are those numbers as the C library's double sine and tangent give them (at an eighth
   of a turn the double tangent falls just under 1: 65535); tests/ds/matrices.py computes them
   again apart. */
#include "virgule.h"

typedef long long s64;
typedef unsigned long long u64;

s32 mulf32(s32 a, s32 b) {
    return (s32)(((s64)a * b) >> 12);
}

s32 divf32(s32 num, s32 den) {
    return den == 0 ? 0 : (s32)((s64)num * 4096 / den);
}

s32 degresenangle(float degres) {
    return (s32)(degres * 32768 / 360.0);
}

static const s32 sinus[129] = {
    0, 402, 804, 1206, 1607, 2009, 2410, 2811, 3211, 3611, 4011, 4409, 4808, 5205, 5602, 5997, 6392,
    6786, 7179, 7571, 7961, 8351, 8739, 9126, 9512, 9896, 10278, 10659, 11039, 11416, 11793, 12167,
    12539, 12910, 13278, 13645, 14010, 14372, 14732, 15090, 15446, 15800, 16151, 16499, 16846,
    17189, 17530, 17869, 18204, 18537, 18868, 19195, 19519, 19841, 20159, 20475, 20787, 21097,
    21403, 21706, 22005, 22301, 22594, 22884, 23170, 23453, 23732, 24007, 24279, 24547, 24812,
    25073, 25330, 25583, 25832, 26077, 26319, 26557, 26790, 27020, 27245, 27466, 27684, 27897,
    28106, 28310, 28511, 28707, 28898, 29086, 29269, 29447, 29621, 29791, 29956, 30117, 30273,
    30425, 30572, 30714, 30852, 30985, 31114, 31237, 31357, 31471, 31581, 31685, 31785, 31881,
    31971, 32057, 32138, 32214, 32285, 32351, 32413, 32469, 32521, 32568, 32610, 32647, 32679,
    32706, 32728, 32745, 32758, 32765, 32768,
};

#define TANGENTEMAX (400 << 16)

static const s32 tangente[129] = {
    0, 804, 1608, 2413, 3219, 4026, 4834, 5643, 6454, 7267, 8083, 8900, 9721, 10544, 11371, 12201,
    13035, 13874, 14716, 15563, 16415, 17273, 18136, 19005, 19880, 20761, 21650, 22545, 23449,
    24360, 25280, 26208, 27145, 28092, 29050, 30017, 30996, 31986, 32988, 34002, 35029, 36070,
    37125, 38195, 39280, 40382, 41500, 42635, 43789, 44962, 46155, 47369, 48604, 49862, 51144,
    52451, 53784, 55143, 56531, 57949, 59398, 60879, 62395, 63946, 65535, 67164, 68834, 70548,
    72307, 74115, 75974, 77886, 79855, 81884, 83976, 86135, 88365, 90669, 93053, 95522, 98081,
    100736, 103492, 106358, 109340, 112446, 115687, 119071, 122609, 126313, 130197, 134275, 138564,
    143081, 147846, 152883, 158217, 163877, 169895, 176309, 183160, 190499, 198380, 206869, 216043,
    225990, 236816, 248647, 261634, 275959, 291845, 309567, 329471, 351993, 377693, 407305, 441807,
    482534, 531351, 590957, 665398, 761030, 888449, 1066729, 1334015, 1779313, 2669640, 5340085,
    TANGENTEMAX,
};

/* The sine at step i of the turn (0 to 511), from the quarter-turn table. */
static s32 pasdesinus(int i) {
    i &= 511;
    const int q = i & 127;
    if (i < 128) return sinus[q];
    if (i < 256) return sinus[128 - q];
    if (i < 384) return -sinus[q];
    return -sinus[128 - q];
}

/* The tangent at step i: period a half turn, odd about it. */
static s32 pasdetangente(int i) {
    i &= 255;
    return i <= 128 ? tangente[i] : -tangente[256 - i];
}

s16 sinLerp(s16 angle) {
    const int a = angle & 32767, pas = a >> 6, reste = a & 63;
    const s32 avant = pasdesinus(pas), apres = pasdesinus(pas + 1);
    return (s16)((avant + (((apres - avant) * reste) >> 6)) >> 3);
}

s16 cosLerp(s16 angle) {
    return sinLerp((s16)(angle + 8192));
}

s32 tanLerp(s16 angle) {
    const int a = angle & 32767, pas = a >> 6, reste = a & 63;
    const s32 avant = (pas & 255) == 128 ? -TANGENTEMAX : pasdetangente(pas);
    const s32 apres = pasdetangente(pas + 1);
    return (avant + (((apres - avant) * reste) >> 6)) >> 4;
}

/* Row vectors, as the engine multiplies: the same turn as OpenGL's glRotatef about the axis. */
void matricerotation(int axe, s32 angle, s32 m[9]) {
    const s32 s = sinLerp((s16)angle), c = cosLerp((s16)angle);
    const s32 lignes[3][9] = {
        {4096, 0, 0, 0, c, s, 0, -s, c},
        {c, 0, -s, 0, 4096, 0, s, 0, c},
        {c, s, 0, -s, c, 0, 0, 0, 4096},
    };
    for (int i = 0; i < 9; ++i)
        m[i] = lignes[axe][i];
}

void matriceperspective(float fovy, float aspect, float zNear, float zFar, s32 m[16]) {
    const s32 angle = degresenangle(fovy), a = (s32)(aspect * 4096), n = (s32)(zNear * 4096),
              f = (s32)(zFar * 4096);
    const s32 haut = mulf32(n, tanLerp((s16)(angle >> 1))), bas = -haut;
    const s32 gauche = mulf32(bas, a), droite = mulf32(haut, a);
    const s32 largeur = droite - gauche, hauteur = haut - bas;
    /* By rows: x, y, then the third row with the off-centre terms beside z's. */
    const s32 lignes[16] = {divf32(2 * n, largeur), 0, 0, 0,
                            0, divf32(2 * n, hauteur), 0, 0,
                            divf32(droite + gauche, largeur), divf32(haut + bas, hauteur),
                            -divf32(f + n, f - n), -4096,
                            0, 0, -divf32(2 * mulf32(f, n), f - n), 0};
    for (int i = 0; i < 16; ++i)
        m[i] = lignes[i];
}

/* The square root unit's 64-bit mode: the integer part of the root. */
static s32 sqrtf32(s32 a) {
    u64 x = (u64)(unsigned)a << 12, r = 0, bit = 1ull << 62;
    while (bit > x)
        bit >>= 2;
    for (; bit != 0; bit >>= 2) {
        if (x >= r + bit) {
            x -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
    }
    return (s32)r;
}

static void normalizef32(s32 v[3]) {
    const s32 norme = sqrtf32(mulf32(v[0], v[0]) + mulf32(v[1], v[1]) + mulf32(v[2], v[2]));
    for (int i = 0; i < 3; ++i)
        v[i] = divf32(v[i], norme);
}

static void crossf32(const s32 a[3], const s32 b[3], s32 r[3]) {
    r[0] = mulf32(a[1], b[2]) - mulf32(b[1], a[2]);
    r[1] = mulf32(a[2], b[0]) - mulf32(b[2], a[0]);
    r[2] = mulf32(a[0], b[1]) - mulf32(b[0], a[1]);
}

static s32 dotf32(const s32 a[3], const s32 b[3]) {
    return mulf32(a[0], b[0]) + mulf32(a[1], b[1]) + mulf32(a[2], b[2]);
}

void matriceregard(const float v[9], s32 m[12]) {
    s32 oeil[3], avant[3], haut[3], cote[3];
    for (int i = 0; i < 3; ++i) {
        oeil[i] = (s32)(v[i] * 4096);
        avant[i] = oeil[i] - (s32)(v[3 + i] * 4096);
        haut[i] = (s32)(v[6 + i] * 4096);
    }
    normalizef32(avant);
    crossf32(haut, avant, cote);
    normalizef32(cote);
    crossf32(avant, cote, haut);
    for (int i = 0; i < 3; ++i) {
        m[3 * i] = cote[i];
        m[3 * i + 1] = haut[i];
        m[3 * i + 2] = avant[i];
    }
    m[9] = -dotf32(oeil, cote);
    m[10] = -dotf32(oeil, haut);
    m[11] = -dotf32(oeil, avant);
}
