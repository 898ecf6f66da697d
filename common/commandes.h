#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

// The DS geometry commands a display list sends, and the display-list text that spells them:
// what meshpress writes and what stagehand reads back are both made here, so that a text cannot
// differ between the two.
namespace commandes {

// A command's number in the geometry FIFO, as GBATEK gives it (DS 3D Geometry Commands).
enum Code : uint8_t {
    NOP = 0x00,
    MTX_PUSH = 0x11,
    MTX_POP = 0x12,
    MTX_SCALE = 0x1B,
    COLOR = 0x20,
    NORMAL = 0x21,
    TEXCOORD = 0x22,
    VTX_16 = 0x23,
    VTX_10 = 0x24,
    VTX_XY = 0x25,
    VTX_XZ = 0x26,
    VTX_YZ = 0x27,
    VTX_DIFF = 0x28,
    DIF_AMB = 0x30,
    BEGIN_VTXS = 0x40,
    END_VTXS = 0x41,
};

// A command, the name of libnds's FIFO macro for it (videoGL.h), which the list's text writes
// inside FIFO_COMMAND_PACK, and how many parameter words follow the packed word for it.
struct Commande {
    Code code;
    const char *nom;
    int parametres;
};

// libnds defines no FIFO_ macro for VTX_DIFF nor for the three matrix commands (only their
// registers, GFX_VERTEX_DIFF, MATRIX_PUSH, MATRIX_POP, MATRIX_SCALE): a list that names them needs
// definitions of its own on the DS, REG2ID of those registers.
inline constexpr Commande table[] = {
    {NOP, "FIFO_NOP", 0},
    {MTX_PUSH, "FIFO_MATRIX_PUSH", 0},
    {MTX_POP, "FIFO_MATRIX_POP", 1},
    {MTX_SCALE, "FIFO_MATRIX_SCALE", 3},
    {COLOR, "FIFO_COLOR", 1},
    {NORMAL, "FIFO_NORMAL", 1},
    {TEXCOORD, "FIFO_TEX_COORD", 1},
    {VTX_16, "FIFO_VERTEX16", 2},
    {VTX_10, "FIFO_VERTEX10", 1},
    {VTX_XY, "FIFO_VERTEX_XY", 1},
    {VTX_XZ, "FIFO_VERTEX_XZ", 1},
    {VTX_YZ, "FIFO_VERTEX_YZ", 1},
    {VTX_DIFF, "FIFO_VERTEX_DIFF", 1},
    {DIF_AMB, "FIFO_DIFFUSE_AMBIENT", 1},
    {BEGIN_VTXS, "FIFO_BEGIN", 1},
    {END_VTXS, "FIFO_END", 0},
};

// Every code has its row: the enumeration and the table list the same commands.
constexpr const Commande &commande(Code code) {
    for (const Commande &c : table)
        if (c.code == code) return c;
    return table[0];
}
constexpr const char *nom(Code code) {
    return commande(code).nom;
}
constexpr int parametres(Code code) {
    return commande(code).parametres;
}

// A piece of the list's text put together when the program is compiled, ended by a NUL.
struct Texte {
    char c[128];
    size_t longueur;
};
constexpr Texte joindre(std::initializer_list<const char *> morceaux) {
    Texte t{};
    for (const char *m : morceaux)
        for (; *m != '\0'; ++m)
            t.c[t.longueur++] = *m;
    return t;
}

// "FIFO_COMMAND_PACK(a, b, c, d),\n": one word packing four commands, the first sent first.
inline constexpr char PAQUET[] = "FIFO_COMMAND_PACK(";
constexpr Texte paquet(Code a, Code b, Code c, Code d) {
    return joindre({PAQUET, nom(a), ", ", nom(b), ", ", nom(c), ", ", nom(d), "),\n"});
}

// After the count word: the list opens one group of separate triangles (BEGIN_VTXS's parameter
// is libnds's GL_TRIANGLE).
inline constexpr Texte FINENTETE = joindre({",\n ", PAQUET, nom(BEGIN_VTXS), ", ", nom(NOP), ", ",
                                            nom(NOP), ", ", nom(NOP), "),\n GL_TRIANGLE,\n"});
// An untextured face: its three vertices.
inline constexpr Texte PAQUETSOMMETS = paquet(VTX_16, VTX_16, VTX_16, NOP);
// A textured face: a pair and a vertex twice, then the third pair and vertex under a line that
// has no blank before its last word, as the files have always had it.
inline constexpr Texte PAQUETTEXTURE = paquet(TEXCOORD, VTX_16, TEXCOORD, VTX_16);
inline constexpr Texte PAQUETTEXTURE3 =
    joindre({PAQUET, nom(TEXCOORD), ", ", nom(VTX_16), ", ", nom(NOP), ",", nom(NOP), "),\n"});
// The end of the group; the array's closing brace follows it.
inline constexpr Texte PAQUETFIN = paquet(END_VTXS, NOP, NOP, NOP);

// A VTX_16's two parameter words on one line, x and y packed then z:
// "VERTEX_PACK(floatov16(x),floatov16(y)),VERTEX_PACK(floatov16(z),0),\n".
inline constexpr char SOMMETX[] = "VERTEX_PACK(floatov16(";
inline constexpr char SOMMETY[] = "),floatov16(";
inline constexpr char SOMMETZ[] = ")),VERTEX_PACK(floatov16(";
inline constexpr char SOMMETFIN[] = "),0),\n";
// A TEXCOORD's parameter word: "TEXTURE_PACK(floatot16(premier),floatot16(second)),\n".
inline constexpr char TEXTURE1[] = "TEXTURE_PACK(floatot16(";
inline constexpr char TEXTURE2[] = "),floatot16(";
inline constexpr char TEXTUREFIN[] = ")),\n";

} // namespace commandes
