#pragma once
// The fast readers and their oracles run on bytes in memory, for the differential tests and
// the fuzz targets.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace memoire {

// The display-list text one converter writes for the model bytes, from zeroed tables.
std::string convertir(const uint8_t *donnees, size_t taille, bool parloracle);

struct Lecture {
    std::vector<float> sommets; // x, y, z of each vertex, in order
    std::string console;        // what the loader printed
};

// What one loader reads from the display-list bytes.
Lecture lire(const uint8_t *donnees, size_t taille, bool parloracle);

// Bit for bit, NaNs included.
bool memessommets(const std::vector<float> &a, const std::vector<float> &b);

} // namespace memoire
