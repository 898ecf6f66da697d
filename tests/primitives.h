#pragma once
// The reading primitives against the C library's own conversions on the same bytes.
#include <string>

namespace primitives {

// Runs the directives in order on two streams over the text, ours and the C library's: f "%f",
// i "%lli" held to 32 bits, s "%s" kept to 255 characters, m "%ms", l the plain text
// " VERTEX_PACK(floatov16(", and the loader's lines: v vertex, t texture, c command; or, reading
// the stream itself, w a console word (kept to 7 characters) and d a console "%d" held to the int
// range (not mixed with the others: a directive of the other kind, or of none, is skipped).
// Returns "" when every directive stored the same (floats bit for bit, NaN payloads
// aside) and took as many characters, else the first difference.
std::string comparer(const std::string &texte, const std::string &directives);

} // namespace primitives
