/* libnds's fixed-point arithmetic, written from what its documentation and GBATEK say of it:
   - f32 is 20.12 fixed point; floattof32(n) is (int)(n * 4096), which truncates towards zero
     (math.h).
   - mulf32 keeps the high bits of the 64-bit product: (a * b) >> 12, an arithmetic shift, so it
     rounds towards minus infinity (math.h).
   - divf32 is the hardware divider's 64-by-32 division of num << 12 by den, whose quotient
     truncates towards zero (math.h; GBATEK, "DS Maths Division Unit").
   - Angles: 32768 to the turn, degreesToAngle(d) = d * 32768 / 360, truncated (trig_lut.h).
   - sinLerp/cosLerp/tanLerp (trig_lut.h: sine and cosine in 4.12, tangent in 20.12): a table of
     the function at 512 steps to the turn, each step 64 angle units, the angle's six low bits
     interpolating linearly between two entries. The tables hold 15 fractional bits (a quarter
     turn of sine, 128 steps; the tangent over the quarter turn, odd about the half turn); the
     interpolated value drops to 12 fractional bits with a shift, which truncates.
   - glRotateX/Y/Z(float) convert their angle as degreesToAngle does and multiply the current
     matrix by the rotation of sinLerp and cosLerp of it (videoGL.h).
   - gluPerspective(float) converts fovy as an angle and the rest with floattof32, then
     gluPerspectivef32 takes the top of the near plane as mulf32(zNear, tanLerp(fovy >> 1)), its
     bottom as minus that, its sides as both times the aspect (mulf32), and multiplies by the
     frustum of those six numbers, the terms in divf32 as videoGL.h's frustum writes them (its
     (right + left) / (right - left) third in the first row, its z terms in the third and fourth).
   No table is copied: each entry is the C library's sine or tangent, rounded to 15 bits. */
#include "virgule.h"

typedef long long s64;

s32 mulf32(s32 a, s32 b) {
    return (s32)(((s64)a * b) >> 12);
}

s32 divf32(s32 num, s32 den) {
    return den == 0 ? 0 : (s32)(((s64)num << 12) / den);
}

s32 degresenangle(float degres) {
    return (s32)(degres * 32768 / 360.0);
}

/* sin(x) and tan(x) for x within a quarter turn (|x| <= pi/2), by their series and the
   half-angle identity: this freestanding program has no libm. */
static double sinus(double x) {
    double s = x, terme = x;
    for (int k = 1; k <= 12; ++k) {
        terme *= -x * x / (double)((2 * k) * (2 * k + 1));
        s += terme;
    }
    return s;
}

static double cosinus(double x) {
    double c = 1, terme = 1;
    for (int k = 1; k <= 12; ++k) {
        terme *= -x * x / (double)((2 * k - 1) * (2 * k));
        c += terme;
    }
    return c;
}

#define PI 3.14159265358979323846
#define TANGENTEMAX 0x7FFFFFFF

/* Entry i (0 to 128) of the quarter-turn tables, 15 fractional bits, rounded. */
static s32 entreesinus(int i) {
    return (s32)(sinus(PI / 2 * i / 128) * 32768 + 0.5);
}

static s32 entreetangente(int i) {
    if (i >= 128) return TANGENTEMAX;
    const double x = PI / 2 * i / 128;
    return (s32)(sinus(x) / cosinus(x) * 32768 + 0.5);
}

/* The sine at step i of the turn (0 to 511), from the quarter-turn table. */
static s32 pasdesinus(int i) {
    i &= 511;
    const int q = i & 127;
    if (i < 128) return entreesinus(q);
    if (i < 256) return entreesinus(128 - q);
    if (i < 384) return -entreesinus(q);
    return -entreesinus(128 - q);
}

/* The tangent at step i: period a half turn, odd about it. */
static s32 pasdetangente(int i) {
    i &= 255;
    return i <= 128 ? entreetangente(i) : -entreetangente(256 - i);
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
    const s64 avant = pasdetangente(pas), apres = pasdetangente(pas + 1);
    /* Near a quarter turn the tangent leaves 20.12: held at its largest value. */
    const s64 t = (avant + (((apres - avant) * reste) >> 6)) >> 3;
    return t > 0x7FFFFFFF ? 0x7FFFFFFF : t < -0x7FFFFFFF ? -0x7FFFFFFF : (s32)t;
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
    const s32 lignes[16] = {divf32(2 * n, droite - gauche), 0, divf32(droite + gauche, droite - gauche), 0,
                            0, divf32(2 * n, haut - bas), divf32(haut + bas, haut - bas), 0,
                            0, 0, -divf32(f + n, f - n), -4096,
                            0, 0, -divf32(2 * mulf32(f, n), f - n), 0};
    for (int i = 0; i < 16; ++i)
        m[i] = lignes[i];
}
