# A UV sphere in the display lists of meshpress's options, encoded here from the DS's documented
# commands (GBATEK) and the words' layout meshpress's options write, apart from meshpress: usage
# listes.py FOLDER. Writes the same sphere as OBJ models for meshpress (boule.obj: triangles in
# the strips' order and corners; carres.obj: its bands as quads) and as lists: bande.h (triangle
# strips), eclairee.h and eclairee.bin (strips with a normal per vertex), eclaireetri.h (the
# strips' triangles apart, with their normals), carres.h (quads), ajustee.h (the strips brought
# within a sixteenth, each vertex after a group's first as its difference to the one before,
# and the size restored by a scale matrix inside a push and a pop). Each band between two rings
# is one strip; the caps are separate triangles in one GL_TRIANGLE group. The points lie on a
# grid of 1/64, where a sixteenth of each 4.12 value is exact.
import math
import os
import struct
import sys

NOP, PUSH, POP, SCALE, NORMAL, VTX_16, VTX_DIFF, BEGIN, END = 0x00, 0x11, 0x12, 0x1B, 0x21, 0x23, 0x28, 0x40, 0x41
NOMS = {NOP: "FIFO_NOP", PUSH: "FIFO_MATRIX_PUSH", POP: "FIFO_MATRIX_POP", SCALE: "FIFO_MATRIX_SCALE", NORMAL: "FIFO_NORMAL",
        VTX_16: "FIFO_VERTEX16", VTX_DIFF: "FIFO_VERTEX_DIFF", BEGIN: "FIFO_BEGIN", END: "FIFO_END"}
TRIANGLES, QUADS, BANDE = 0, 1, 2
ANNEAUX, MERIDIENS, CENTRE, RAYON = 8, 12, (0.0, 4.0, -6.0), 1.5

dossier = sys.argv[1]
# Ring 0 is the north pole, ring ANNEAUX the south one; a point as the OBJ writes it ("%f"), its
# 4.12 value what floattov16 gives of that text, its normal the unit vector from the centre.
points, normales = {}, {}
for i in range(ANNEAUX + 1):
    for j in range(MERIDIENS + 1):
        t, p = math.pi * i / ANNEAUX, 2 * math.pi * (j % MERIDIENS) / MERIDIENS
        u = (math.sin(t) * math.cos(p), math.cos(t), -math.sin(t) * math.sin(p))
        points[i, j] = ["%f" % (round((c + RAYON * d) * 64) / 64) for c, d in zip(CENTRE, u)]
        normales[i, j] = u


def v16(texte):
    return (int(float(texte) * 4096) + 0x8000 & 0xFFFF) - 0x8000


def mot10(valeurs):
    return sum((v & 0x3FF) << 10 * k for k, v in enumerate(valeurs))


def normale(n):
    return mot10(max(-512, min(511, round(c * 512))) for c in n)


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


def commandes(groupes, eclairee, division):
    # The commands of the groups (primitive, corners): a NORMAL where it changes, and always for
    # the first vertex after BEGIN; END after the last group. Divided, the vertices after a
    # group's first are VTX_DIFF where the differences fit (-512 to 511 4096ths).
    liste = [(PUSH, []), (SCALE, [division << 12] * 3)] if division > 1 else []
    for primitive, coins in groupes:
        liste.append((BEGIN, [primitive]))
        avant = precedent = None
        for c in coins:
            if eclairee and normale(normales[c]) != avant:
                avant = normale(normales[c])
                liste.append((NORMAL, [avant]))
            x, y, z = v = [v16(t) // division for t in points[c]]
            ecarts = [a - b for a, b in zip(v, precedent or v)]
            if precedent and division > 1 and all(-512 <= e < 512 for e in ecarts):
                liste.append((VTX_DIFF, [mot10(ecarts)]))
            else:
                liste.append((VTX_16, [(x & 0xFFFF) | (y & 0xFFFF) << 16, z & 0xFFFF]))
            precedent = v
    return liste + [(END, [])] + ([(POP, [1])] if division > 1 else [])


def ecrire(nom, options, groupes, eclairee=False, division=1):
    # Each packed word holds four commands, the first in bits 0-7, NOP in the slots left; its
    # commands' parameter words follow it. The count word: the words after it.
    liste, lignes, mots = commandes(groupes, eclairee, division), [], []
    for k in range(0, len(liste), 4):
        paquet = liste[k:k + 4] + [(NOP, [])] * (4 - len(liste[k:k + 4]))
        parametres = [p for _, ps in paquet for p in ps]
        mots += [sum(c << 8 * i for i, (c, _) in enumerate(paquet))] + parametres
        lignes.append("FIFO_COMMAND_PACK(%s)," % ", ".join(NOMS[c] for c, _ in paquet) + "".join("0x%08X," % p for p in parametres))
    with open(os.path.join(dossier, nom + ".h"), "w") as f:
        f.write("/* meshpress %s : %d mots apres le premier */\nu32 %s[] = {%d,\n" % (options, len(mots), nom, len(mots)))
        f.write("\n".join(lignes) + "\n};")
    with open(os.path.join(dossier, nom + ".bin"), "wb") as f:
        f.write(struct.pack("<%dI" % (len(mots) + 1), len(mots), *mots))


def obj(nom, faces):
    with open(os.path.join(dossier, nom + ".obj"), "w") as f:
        cles = sorted(points)
        f.writelines("v %s %s %s\n" % tuple(points[c]) for c in cles)
        f.writelines("f " + " ".join(str(cles.index(c) + 1) for c in face) + "\n" for face in faces)


bandes = [(BANDE, bande(i)) for i in range(1, ANNEAUX - 1)]
obj("boule", triangles())
obj("carres", calottes() + carres())
ecrire("bande", "--compacte", [(TRIANGLES, [c for t in calottes() for c in t])] + bandes)
ecrire("ajustee", "--compacte --echelle=ajuster", [(TRIANGLES, [c for t in calottes() for c in t])] + bandes, division=16)
ecrire("eclairee", "--normales --compacte", [(TRIANGLES, [c for t in calottes() for c in t])] + bandes, True)
ecrire("eclaireetri", "--normales", [(TRIANGLES, [c for t in triangles() for c in t])], True)
ecrire("carres", "--compacte", [(TRIANGLES, [c for t in calottes() for c in t]), (QUADS, [c for q in carres() for c in q])])
