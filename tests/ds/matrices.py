#!/usr/bin/env python3
"""Writes matrices.attendu: the words of glRotateX/Y/Z and gluPerspective as libnds computes
them, from its documented rules alone (trig_lut.h, math.h, videoGL.h; GBATEK's divider), with
Python's own sine, tangent and integers. Run once; the file is committed."""
import math
import struct


def flottant(texte):
    """A C float parsed from text."""
    return struct.unpack('f', struct.pack('f', float(texte)))[0]


def tronque(x):
    return int(x)  # towards zero, as C's conversion and the DS divider


def mul(a, b):
    return (a * b) >> 12  # Python's >> floors, as an arithmetic shift


def div(a, b):
    q = abs(a << 12) // abs(b)
    return q if (a < 0) == (b < 0) else -q


def angle(degres):
    return tronque(flottant(degres) * 32768 / 360.0)


def s16(x):
    x &= 0xFFFF
    return x - 0x10000 if x >= 0x8000 else x


def lerp(table, a):
    a &= 32767
    pas, reste = a >> 6, a & 63
    avant, apres = table(pas), table(pas + 1)
    return (avant + (((apres - avant) * reste) >> 6)) >> 3


def sinus(pas):
    return round(math.sin(2 * math.pi * (pas % 512) / 512) * 32768)


def tangente(pas):
    pas %= 256
    if pas == 128:
        return 0x7FFFFFFF
    return round(math.tan(math.pi * pas / 256) * 32768)


def rotation(axe, degres):
    a = s16(angle(degres))
    s, c = lerp(sinus, a), lerp(sinus, s16(a + 8192))
    return {'X': [4096, 0, 0, 0, c, s, 0, -s, c],
            'Y': [c, 0, -s, 0, 4096, 0, s, 0, c],
            'Z': [c, s, 0, -s, c, 0, 0, 0, 4096]}[axe]


def perspective(fovy, aspect, proche, loin):
    a = angle(fovy)
    asp, n, f = (tronque(flottant(x) * 4096) for x in (aspect, proche, loin))
    t = min(lerp(tangente, s16(a >> 1)), 0x7FFFFFFF)
    haut = mul(n, t)
    bas = -haut
    gauche, droite = mul(bas, asp), mul(haut, asp)
    return [div(2 * n, droite - gauche), 0, div(droite + gauche, droite - gauche), 0,
            0, div(2 * n, haut - bas), div(haut + bas, haut - bas), 0,
            0, 0, -div(f + n, f - n), -4096,
            0, 0, -div(2 * mul(f, n), f - n), 0]


lignes = []
for degres in ['0', '10', '20', '30', '45', '-30', '90', '123.4', '200', '-170.5', '359.9', '720', '0.01']:
    for axe in 'XYZ':
        lignes.append(f'rotation {axe} {degres} : ' + ' '.join(map(str, rotation(axe, degres))))
for p in [('45', '1.3333334', '0.1', '1000'), ('60', '1.3333334', '0.1', '100'), ('70', '1', '1', '500'),
          ('30', '2', '0.5', '50'), ('90', '0.75', '0.25', '64'), ('12.5', '1.3333334', '0.01', '10')]:
    lignes.append('perspective ' + ' '.join(p) + ' : ' + ' '.join(map(str, perspective(*p))))
with open('matrices.attendu', 'w') as sortie:
    sortie.write('\n'.join(lignes) + '\n')
