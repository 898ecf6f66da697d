#pragma once
// Golden runs of a real program: each case folder holds console.in (standard input), the files
// the run starts with (and in liens the symbolic links, "name target" a line), console.out
// (standard output expected) and attendu/ (the files expected to be created or changed). After the run the working folder must hold exactly the starting
// files overlaid by attendu/, byte for byte. MISEAJOUR=1 rewrites the expectations instead.
#include <filesystem>
#include <string>
#include <vector>

namespace golden {

std::string lire(const std::filesystem::path &chemin);
void ecrire(const std::filesystem::path &chemin, const std::string &contenu);
std::vector<std::string> cas(const std::filesystem::path &racine);
// Runs commande with the case's console.in in a fresh copy of its files; returns the failures.
std::string verifier(const std::filesystem::path &dossiercas, const std::string &commande);

} // namespace golden
