#!/usr/bin/env python3
"""Writes matrices.attendu: the words libnds sends for glRotateX/Y/Z, gluPerspective and
gluLookAt, stated from what its sources and GBATEK say, with Python's own sine, tangent, floor,
square root and integers. Run from this folder; the file is committed and the ds test holds the
preview's words against it."""
import math
import struct

TOUR = 32768  # libnds's angle units to the turn; 512 table steps of 64 units
UN = 4096  # 1.0 in 20.12


def flottant(texte):
    """The C float a program passes for this number."""
    return struct.unpack('f', struct.pack('f', float(texte)))[0]


def en_angle(degres):
    """(int)(degrees * 32768 / 360.0): the product in float (exact, a power of two), the quotient
    in double, truncated towards zero."""
    return math.trunc(flottant(degres) * TOUR / 360.0)


# The quarter-turn tables, one entry a step (0 to 128): the sine in 1.15, the tangent in 16.16,
# both truncated to the step below; the tangent's entry at the quarter turn is 400.
SINUS = [math.floor(math.sin(math.pi / 2 * k / 128) * 2**15) for k in range(129)]
TANGENTE = [math.floor(math.tan(math.pi / 2 * k / 128) * 2**16) for k in range(128)] + [400 << 16]


def sinus_au_pas(k):
    """Mirrored about the quarter turn, negated over the second half turn."""
    demi = k % 256
    valeur = SINUS[min(demi, 256 - demi)]
    return -valeur if k % 512 >= 256 else valeur


def tangente_au_pas(k, depart):
    """Odd about the half turn; at the quarter turn +400, but -400 for the step that starts
    there."""
    demi = k % 256
    if demi == 128:
        return -(400 << 16) if depart else 400 << 16
    return TANGENTE[demi] if demi < 128 else -TANGENTE[256 - demi]


def interpole(angle, table, bits):
    """The two steps about the angle weighted by its six low bits, then floored from `bits`
    fractional bits to 12."""
    pas, reste = divmod(angle % TOUR, 64)
    avant, apres = table(pas, True), table(pas + 1, False)
    return (avant * (64 - reste) + apres * reste) // (64 << (bits - 12))


def sin_lerp(angle):
    return interpole(angle, lambda k, depart: sinus_au_pas(k), 15)


def tan_lerp(angle):
    return interpole(angle, tangente_au_pas, 16)


def fois(a, b):
    return a * b // UN  # mulf32: the product's high bits, floored


def sur(a, b):
    quotient = abs(a * UN) // abs(b)  # divf32: the divider truncates towards zero
    return quotient if (a < 0) == (b < 0) else -quotient


def rotation(axe, degres):
    a = en_angle(degres)
    s, c = sin_lerp(a), sin_lerp(a + TOUR // 4)
    return {'X': [UN, 0, 0, 0, c, s, 0, -s, c],
            'Y': [c, 0, -s, 0, UN, 0, s, 0, c],
            'Z': [c, s, 0, -s, c, 0, 0, 0, UN]}[axe]


def perspective(fovy, aspect, proche, loin):
    asp, n, f = (math.trunc(flottant(x) * UN) for x in (aspect, proche, loin))
    haut = fois(n, tan_lerp(en_angle(fovy) >> 1))
    bas = -haut
    gauche, droite = fois(bas, asp), fois(haut, asp)
    # glFrustumf32's rows: the off-centre terms sit in the third row, beside z's.
    return [sur(2 * n, droite - gauche), 0, 0, 0,
            0, sur(2 * n, haut - bas), 0, 0,
            sur(droite + gauche, droite - gauche), sur(haut + bas, haut - bas),
            -sur(f + n, f - n), -UN,
            0, 0, -sur(2 * fois(f, n), f - n), 0]


def vectoriel(a, b):
    return [fois(a[(i + 1) % 3], b[(i + 2) % 3]) - fois(b[(i + 1) % 3], a[(i + 2) % 3])
            for i in range(3)]


def scalaire(a, b):
    return sum(fois(x, y) for x, y in zip(a, b))


def unitaire(v):
    """Each component divided by the square root unit's root of the sum of the squares: the
    integer part of the root of that sum times 4096."""
    norme = math.isqrt(scalaire(v, v) << 12)
    return [sur(x, norme) for x in v]


def regard(nombres):
    v = [math.trunc(flottant(x) * UN) for x in nombres.split()]
    oeil, cible, haut = v[0:3], v[3:6], v[6:9]
    z = unitaire([o - c for o, c in zip(oeil, cible)])  # from the target towards the eye
    x = unitaire(vectoriel(haut, z))
    y = vectoriel(z, x)
    # x, y and z are the columns; the eye's place in them is the last row.
    return [x[0], y[0], z[0], x[1], y[1], z[1], x[2], y[2], z[2],
            -scalaire(oeil, x), -scalaire(oeil, y), -scalaire(oeil, z)]


# Angles where a rounded table or a rounded interpolation would give another word (6 degrees:
# sin 427, not 428), whole turns, negative ones, and the table's ends.
ANGLES = ['0', '6', '-6', '20', '24', '32', '45', '60', '89.9', '90', '113', '123.4', '150',
          '-170.5', '200', '245', '302', '335', '359.9', '720', '0.01']
# The start view, other fields of view (the quarter turn's step from -400 at 180), aspects,
# near and far planes.
PERSPECTIVES = [('45', '1.3333334', '0.1', '1000'), ('60', '1.3333334', '0.1', '100'),
                ('70', '1', '1', '500'), ('30', '2', '0.5', '50'), ('90', '0.75', '0.25', '64'),
                ('12.5', '1.3333334', '0.01', '10'), ('120', '1.7777778', '0.3', '200'),
                ('10', '1.25', '2', '3'), ('100', '1.6', '0.05', '2000'),
                ('179.9', '1', '0.1', '10'), ('180', '1.3333334', '0.1', '1000'),
                ('-45', '1.3333334', '0.1', '1000')]

# The start camera, eyes off the axes, one looking nearly along up, up neither unit nor upright.
REGARDS = ['0 0.4 0 0 0.4 -1 0 1 0', '1 2 3 0 0 0 0 1 0', '-2 0.5 4 0.25 0 -1 0 1 0',
           '0 5 0.2 0 0 0 0 1 0', '3 -1 -2 1 1 1 0.2 2 0.1', '0.3 0.3 0.3 0 0 0 0 0 1']


def mots(m):
    return ' '.join(map(str, m))


lignes = [f'rotation {axe} {d} : {mots(rotation(axe, d))}' for d in ANGLES for axe in 'XYZ']
lignes += [f'perspective {" ".join(p)} : {mots(perspective(*p))}' for p in PERSPECTIVES]
lignes += [f'regard {r} : {mots(regard(r))}' for r in REGARDS]
with open('matrices.attendu', 'w') as sortie:
    sortie.write('\n'.join(lignes) + '\n')
