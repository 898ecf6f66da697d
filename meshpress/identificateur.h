// Whether the array name a base name gives is a C identifier that a DS program can compile.
#pragma once
#include <cstddef>

// When nom is no C identifier: false, why in pourquoi (French), and in propose (of place
// bytes) the name it would have to be. True when it is one.
bool identificateurc(const char *nom, const char **pourquoi, char *propose, size_t place);
