#pragma once
#include <cstddef>

// What the tools need of the system they run on, one routine each, with a side per system.

// Asks for large memory pages over a table read at scattered places, so that each read costs
// fewer address-translation misses; where the system cannot, nothing changes.
void grandespages(void *debut, size_t taille);
