#include "lignes.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

enum Classe : unsigned char { ORDINAIRE, SEPARATEUR, FINDELIGNE, BARRE };

constexpr std::array<Classe, 256> tableclasses() {
    std::array<Classe, 256> t{};
    t[' '] = t['\t'] = t['\v'] = t['\f'] = SEPARATEUR;
    t['\n'] = t['\r'] = FINDELIGNE;
    t['\\'] = BARRE;
    return t;
}
constexpr std::array<Classe, 256> classes = tableclasses();

inline Classe classe(int c) {
    return classes[static_cast<unsigned char>(c)];
}

bool remplir(Lignes &l) {
    const size_t n = std::fread(l.tampon, 1, l.taille, l.flux);
    l.courant = l.tampon;
    l.fin = l.tampon + n;
    if (n == 0) l.epuise = true;
    return n > 0;
}

// The next character without taking it, or EOF.
inline int regarder(Lignes &l) {
    if (l.courant == l.fin && !remplir(l)) return EOF;
    return static_cast<unsigned char>(*l.courant);
}

// Takes the line end at the current character: "\n", "\r\n" or "\r".
void prendrefindeligne(Lignes &l) {
    const char c = *l.courant++;
    if (c == '\r' && regarder(l) == '\n') ++l.courant;
    ++l.ligne;
}

// A word one character at a time, across refills of the buffer; debutbarre: a '\' that starts
// it was already taken. A '\' that ends its line (or the file) ends the word and joins the next
// line.
void motlent(Lignes &l, Mot &mot, bool debutbarre) {
    size_t n = 0, garde = 0;
    const auto ajouter = [&](char c) {
        if (garde < TAILLEMOT - 1) l.motlong[garde++] = c;
        ++n;
    };
    if (debutbarre) ajouter('\\');
    for (int c; (c = regarder(l)) != EOF;) {
        const Classe k = classe(c);
        if (k == SEPARATEUR || k == FINDELIGNE) break;
        ++l.courant;
        if (k == BARRE) {
            const int d = regarder(l);
            if (d == EOF || classe(d) == FINDELIGNE) {
                if (d != EOF) prendrefindeligne(l);
                break;
            }
        }
        ajouter(static_cast<char>(c));
    }
    mot = {l.motlong, garde, n > garde};
}

} // namespace

bool egal(const Mot &mot, const char *texte) {
    const size_t n = std::strlen(texte);
    return mot.longueur == n && !mot.tronque && std::memcmp(mot.texte, texte, n) == 0;
}

void ouvrirlignes(Lignes &l, FILE *flux, char *tampon, size_t taille) {
    l.flux = flux;
    l.tampon = tampon;
    l.taille = taille;
    l.courant = l.fin = tampon;
    l.ligne = l.instruction = 1;
    l.fininstruction = true;
    l.epuise = false;
}

const char *codage(Lignes &l) {
    if (regarder(l) == EOF) return nullptr;
    const auto debut = [&](const char *marque, size_t n) {
        return static_cast<size_t>(l.fin - l.courant) >= n &&
               std::memcmp(l.courant, marque, n) == 0;
    };
    if (debut("\xEF\xBB\xBF", 3)) {
        l.courant += 3;
        return nullptr;
    }
    if (debut("\xFF\xFE\0\0", 4) || debut("\0\0\xFE\xFF", 4)) return "UTF-32";
    if (debut("\xFF\xFE", 2) || debut("\xFE\xFF", 2)) return "UTF-16";
    return nullptr;
}

bool refusercodage(const char *quoi, const char *nom, const char *codage, char *raison,
                   size_t taille) {
    std::snprintf(raison, taille,
                  "%s %s est en %s (son indicateur d'ordre des octets le dit) : enregistrez ce "
                  "fichier en UTF-8 ou en ASCII (dans un editeur de texte : Enregistrer sous, "
                  "codage UTF-8)",
                  quoi, nom, codage);
    return false;
}

bool motsuivant(Lignes &l, Mot &mot) {
    if (l.fininstruction) return false;
    for (;;) {
        while (l.courant < l.fin && classe(*l.courant) == SEPARATEUR)
            ++l.courant;
        if (l.courant == l.fin) {
            if (remplir(l)) continue;
            l.fininstruction = true;
            return false;
        }
        const char c = *l.courant;
        if (classe(c) == FINDELIGNE) {
            prendrefindeligne(l);
            l.fininstruction = true;
            return false;
        }
        if (c == '#') {
            int d;
            while ((d = regarder(l)) != EOF && classe(d) != FINDELIGNE)
                ++l.courant;
            if (d != EOF) prendrefindeligne(l);
            l.fininstruction = true;
            return false;
        }
        if (c == '\\') {
            ++l.courant;
            const int d = regarder(l);
            if (d == EOF) continue;
            if (classe(d) == FINDELIGNE) {
                prendrefindeligne(l);
                continue;
            }
            motlent(l, mot, true);
            return true;
        }
        // A word that ends inside the buffer is handed out in place.
        const char *p = l.courant;
        for (;;) {
            while (p < l.fin && classe(*p) == ORDINAIRE)
                ++p;
            if (p + 1 < l.fin && *p == '\\' && classe(p[1]) != FINDELIGNE) {
                ++p;
                continue;
            }
            break;
        }
        if (p == l.fin || (*p == '\\' && p + 1 == l.fin)) {
            motlent(l, mot, false);
            return true;
        }
        const size_t n = static_cast<size_t>(p - l.courant);
        mot = {l.courant, n < TAILLEMOT ? n : TAILLEMOT - 1, n >= TAILLEMOT};
        l.courant = p;
        return true;
    }
}

bool instructionsuivante(Lignes &l, Mot &mot) {
    for (Mot reste; motsuivant(l, reste);) {
    }
    for (;;) {
        l.fininstruction = false;
        l.instruction = l.ligne;
        if (motsuivant(l, mot)) return true;
        if (l.epuise && l.courant == l.fin) return false;
    }
}

bool restedelinstruction(Lignes &l, char *texte, size_t taille) {
    size_t n = 0;
    bool entier = true;
    for (Mot mot; motsuivant(l, mot);) {
        const size_t place = taille - 1 - n;
        const size_t ajout = (n > 0) + mot.longueur;
        if (mot.tronque || ajout > place) entier = false;
        if (n > 0 && place > 0) texte[n++] = ' ';
        const size_t copie = mot.longueur < taille - 1 - n ? mot.longueur : taille - 1 - n;
        for (size_t i = 0; i < copie; ++i)
            texte[n + i] = mot.texte[i];
        n += copie;
    }
    texte[n] = '\0';
    return entier;
}

bool restebrut(Lignes &l, char *texte, size_t taille) {
    size_t n = 0, garde = 0; // characters read, and up to the last that is no blank
    bool entier = true;
    for (int c; !l.fininstruction && (c = regarder(l)) != EOF;) {
        if (classe(c) == FINDELIGNE) {
            prendrefindeligne(l);
            break;
        }
        ++l.courant;
        // A '\' that ends its line joins the next one, as between words.
        if (c == '\\' && regarder(l) != EOF && classe(regarder(l)) == FINDELIGNE) {
            prendrefindeligne(l);
            c = ' ';
        }
        // A comment starts with a word.
        if (c == '#' && (n == 0 || classe(texte[n - 1]) == SEPARATEUR)) {
            while ((c = regarder(l)) != EOF && classe(c) != FINDELIGNE)
                ++l.courant;
            if (c != EOF) prendrefindeligne(l);
            break;
        }
        if (n + 1 < taille) {
            texte[n++] = static_cast<char>(c);
            if (classe(c) != SEPARATEUR) garde = n;
        } else {
            entier = entier && classe(c) == SEPARATEUR;
        }
    }
    l.fininstruction = true;
    texte[garde] = '\0';
    return entier;
}
