#pragma once
#include <filesystem>
#include <vector>

// The converter as a user runs it: meshpress (the build's, MESHPRESS) started in dossier with
// arguments, the model's name and the base name answered on its console, its output dropped.
struct Conversion {
    double secondes; // from the start to the end of the process
    long memoire;    // its peak resident memory, in KiB
    bool reussie;    // status 0
};

// The steady clock, in seconds.
double maintenant();

Conversion convertir(const std::filesystem::path &dossier, const std::string &modele,
                     const std::string &base, const std::vector<const char *> &arguments = {});
