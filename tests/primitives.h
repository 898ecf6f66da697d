#pragma once
#include <cstdint>
#include <string>

namespace primitives {

// The directives run in order on two streams over the text, ours and the C library's: f "%f", i
// "%lli" held to 32 bits, s "%s" into 256 characters, m "%ms", l " VERTEX_PACK(floatov16(", the
// loader's lines v, t and c; or, reading the stream itself (the other kind is then skipped), w a
// console word into 8 characters and d "%d" held to the int range. "" when each stored the same
// (floats bit for bit, NaN payloads aside) and took as many characters, else the difference.
std::string comparer(const std::string &texte, const std::string &directives);

// The OBJ reader's real against strtof on the same word: taken exactly when strtof takes the
// whole word, a decimal real (digits, point, exponent, signs) within the float range, and then
// the same float bit for bit. "" when they agree, else the difference.
std::string comparerreel(const std::string &mot);

// The options of the new lists as the bits of choix say them (normals, flat, colours, compact,
// a scale of 1/1000, fitted, binary), for the fuzz targets to convert with.
void choisiroptions(uint8_t choix);

} // namespace primitives
