#pragma once
#include <string>

namespace primitives {

// Runs the directives in order on two streams over the text, ours and the C library's: f "%f",
// i "%lli" held to 32 bits, s "%s" into 256 characters, m "%ms", l " VERTEX_PACK(floatov16(", the
// loader's lines v (vertex), t (texture) and c (command); or, reading the stream itself (the two
// kinds do not mix: the other is skipped), w a console word into 8 characters and d a console
// "%d" held to the int range. "" when every one stored the same (floats bit for bit, NaN
// payloads aside) and took as many characters, else the first difference.
std::string comparer(const std::string &texte, const std::string &directives);

} // namespace primitives
