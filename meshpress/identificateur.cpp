#include "identificateur.h"

#include <cstdio>
#include <cstring>

#include "mot.h"

namespace {

// The keywords of C up to C23: none can name an array.
const char *const motscles[] = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else",
    "enum", "extern", "float", "for", "goto", "if", "inline", "int", "long", "register",
    "restrict", "return", "short", "signed", "sizeof", "static", "struct", "switch", "typedef",
    "union", "unsigned", "void", "volatile", "while", "_Bool", "_Complex", "_Imaginary",
    "_Alignas", "_Alignof", "_Atomic", "_Generic", "_Noreturn", "_Static_assert",
    "_Thread_local", "_BitInt", "_Decimal32", "_Decimal64", "_Decimal128", "alignas", "alignof",
    "bool", "constexpr", "false", "nullptr", "static_assert", "thread_local", "true", "typeof",
    "typeof_unqual"};

bool lettre(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool chiffre(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool identificateurc(const char *nom, const char **pourquoi, char *propose, size_t place) {
    if (place == 0) return true;
    *pourquoi = nullptr;
    // The name the file's own folder would give: after its last directory separator.
    const char *fin = nomseul(nom);
    if (fin != nom) *pourquoi = "il a une partie dossier";
    size_t n = 0;
    if (chiffre(*fin)) {
        propose[n++] = '_';
        if (*pourquoi == nullptr) *pourquoi = "il commence par un chiffre";
    }
    for (const char *c = fin; *c && n + 1 < place; ++c) {
        const bool bon = lettre(*c) || chiffre(*c);
        if (!bon && *pourquoi == nullptr)
            *pourquoi = *c == '.'   ? "il a un point"
                        : *c == '-' ? "il a un tiret"
                                    : "il a un caractere qui n'est ni lettre, ni chiffre, ni '_'";
        propose[n++] = bon ? *c : '_';
    }
    if (n == 0) {
        propose[n++] = '_';
        if (*pourquoi == nullptr) *pourquoi = "il est vide";
    }
    propose[n] = '\0';
    for (const char *m : motscles)
        if (std::strcmp(propose, m) == 0) {
            if (*pourquoi == nullptr) *pourquoi = "c'est un mot reserve du C";
            if (n + 1 < place) propose[n++] = '_', propose[n] = '\0';
        }
    return *pourquoi == nullptr;
}
