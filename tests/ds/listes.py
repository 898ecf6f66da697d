# A UV sphere as OBJ models for meshpress (boule.obj: triangles in the order and with the corners
# of strips, one strip a band between two rings; carres.obj: its bands as quads; the caps
# triangles both), and as one list of meshpress's options encoded here from the DS's documented
# commands (GBATEK) and the words' layout the options write, apart from meshpress: ajustee.h, the
# strips brought within a sixteenth, each vertex after a group's first as its difference to the
# one before where it fits, the size restored by a scale matrix inside a push and a pop (what
# meshpress writes for this sphere holds neither). The points lie on a grid of 1/64, where a
# sixteenth of each 4.12 value is exact. Usage: listes.py FOLDER.
import math
import os
import sys

NOP, PUSH, POP, SCALE, VTX_16, VTX_DIFF, BEGIN, END = 0x00, 0x11, 0x12, 0x1B, 0x23, 0x28, 0x40, 0x41
NOMS = {NOP: "FIFO_NOP", PUSH: "FIFO_MATRIX_PUSH", POP: "FIFO_MATRIX_POP", SCALE: "FIFO_MATRIX_SCALE",
        VTX_16: "FIFO_VERTEX16", VTX_DIFF: "FIFO_VERTEX_DIFF", BEGIN: "FIFO_BEGIN", END: "FIFO_END"}
TRIANGLES, BANDE = 0, 2
ANNEAUX, MERIDIENS, CENTRE, RAYON = 8, 12, (0.0, 4.0, -6.0), 1.5

dossier = sys.argv[1]
# Ring 0 is the north pole, ring ANNEAUX the south one; a point as the OBJ writes it ("%f"), its
# 4.12 value what floattov16 gives of that text.
points = {}
for i in range(ANNEAUX + 1):
    for j in range(MERIDIENS + 1):
        t, p = math.pi * i / ANNEAUX, 2 * math.pi * (j % MERIDIENS) / MERIDIENS
        u = (math.sin(t) * math.cos(p), math.cos(t), -math.sin(t) * math.sin(p))
        points[i, j] = ["%f" % (round((c + RAYON * d) * 64) / 64) for c, d in zip(CENTRE, u)]


def v16(texte):
    return (int(float(texte) * 4096) + 0x8000 & 0xFFFF) - 0x8000


def mot10(valeurs):
    return sum((v & 0x3FF) << 10 * k for k, v in enumerate(valeurs))


def bande(i):
    return [(i + k % 2, k // 2) for k in range(2 * MERIDIENS + 2)]


def calottes():
    return [((0, j), (1, j), (1, j + 1)) for j in range(MERIDIENS)] + [
        ((ANNEAUX, j), (ANNEAUX - 1, j + 1), (ANNEAUX - 1, j)) for j in range(MERIDIENS)]


def triangles():
    # Each strip's triangle k: its vertices k, k+1 and k+2, the first two exchanged on odd k, as
    # the DS keeps the strip's winding.
    tous = calottes()
    for i in range(1, ANNEAUX - 1):
        s = bande(i)
        tous += [(s[k + 1], s[k], s[k + 2]) if k % 2 else tuple(s[k:k + 3]) for k in range(len(s) - 2)]
    return tous


def carres():
    return [((i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1)) for i in range(1, ANNEAUX - 1) for j in range(MERIDIENS)]


def commandes(groupes, division):
    # The groups (primitive, corners) between MTX_PUSH, MTX_SCALE and END, MTX_POP(1).
    liste = [(PUSH, []), (SCALE, [division << 12] * 3)]
    for primitive, coins in groupes:
        liste.append((BEGIN, [primitive]))
        precedent = None
        for c in coins:
            x, y, z = v = [v16(t) // division for t in points[c]]
            ecarts = [a - b for a, b in zip(v, precedent or v)]
            if precedent and all(-512 <= e < 512 for e in ecarts):
                liste.append((VTX_DIFF, [mot10(ecarts)]))
            else:
                liste.append((VTX_16, [(x & 0xFFFF) | (y & 0xFFFF) << 16, z & 0xFFFF]))
            precedent = v
    return liste + [(END, []), (POP, [1])]


def ecrire(nom, options, groupes, division):
    # Each packed word holds four commands, the first in bits 0-7, NOP in the slots left; its
    # commands' parameter words follow it. The count word: the words after it.
    liste, lignes, mots = commandes(groupes, division), [], []
    for k in range(0, len(liste), 4):
        paquet = liste[k:k + 4] + [(NOP, [])] * (4 - len(liste[k:k + 4]))
        parametres = [p for _, ps in paquet for p in ps]
        mots += [sum(c << 8 * i for i, (c, _) in enumerate(paquet))] + parametres
        lignes.append("FIFO_COMMAND_PACK(%s)," % ", ".join(NOMS[c] for c, _ in paquet) + "".join("0x%08X," % p for p in parametres))
    with open(os.path.join(dossier, nom + ".h"), "w") as f:
        f.write("/* meshpress %s : %d mots apres le premier */\nu32 %s[] = {%d,\n" % (options, len(mots), nom, len(mots)))
        f.write("\n".join(lignes) + "\n};")


def obj(nom, faces):
    with open(os.path.join(dossier, nom + ".obj"), "w") as f:
        cles = sorted(points)
        f.writelines("v %s %s %s\n" % tuple(points[c]) for c in cles)
        f.writelines("f " + " ".join(str(cles.index(c) + 1) for c in face) + "\n" for face in faces)


obj("boule", triangles())
obj("carres", calottes() + carres())
ecrire("ajustee", "--compacte --echelle=ajuster",
       [(TRIANGLES, [c for t in calottes() for c in t])] + [(BANDE, bande(i)) for i in range(1, ANNEAUX - 1)], 16)
