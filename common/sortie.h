#pragma once
#include <cstddef>

// What a tool may write over when the user names its output on the command line: never a file
// it reads, and never a file it did not write itself, so that two names typed in the wrong order
// cost nothing.

// Whether sortie may be written: it is none of the n files of entrees (under any spelling of its
// path), and it does not exist, is empty, or begins as this tool's own files do (siennes: true
// for the first characters of such a file, up to 512, as given). False, with why (French) in
// raison, before anything is written.
bool sortiepermise(const char *sortie, const char *const *entrees, int n,
                   bool (*siennes)(const char *debut, size_t longueur), char *raison,
                   size_t taille);
