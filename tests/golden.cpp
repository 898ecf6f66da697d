#include "golden.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace golden {

std::string lire(const fs::path &chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void ecrire(const fs::path &chemin, const std::string &contenu) {
    fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << contenu;
}

std::vector<std::string> cas(const fs::path &racine) {
    std::vector<std::string> noms;
    for (const auto &e : fs::directory_iterator(racine))
        if (e.is_directory()) noms.push_back(e.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

namespace {

bool special(const std::string &nom) {
    return nom == "console.in" || nom == "console.out" || nom == "attendu" || nom == "liens";
}

// The links a case starts with, one "name target" a line in its file liens (kept out of the
// repository as links: one to /dev/full would make any reader of the tree read forever).
std::map<std::string, std::string> liens(const fs::path &dossiercas) {
    std::map<std::string, std::string> resultat;
    std::istringstream lignes(lire(dossiercas / "liens"));
    std::string nom, cible;
    while (lignes >> nom >> cible) resultat[nom] = cible;
    return resultat;
}

// Every file below dossier, relative name to content (a link to its target).
std::map<std::string, std::string> arbre(const fs::path &dossier, bool cas) {
    std::map<std::string, std::string> fichiers;
    for (auto it = fs::recursive_directory_iterator(dossier); it != fs::end(it); ++it) {
        const auto rel = it->path().lexically_relative(dossier);
        if (cas && special(rel.begin()->string())) {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink())
            fichiers[rel.string()] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            fichiers[rel.string()] = lire(it->path());
    }
    return fichiers;
}

} // namespace

std::string verifier(const fs::path &dossiercas, const std::string &commande) {
    const fs::path travail = fs::temp_directory_path() / ("golden-" + std::to_string(getpid())) /
                             dossiercas.filename();
    fs::remove_all(travail);
    fs::create_directories(travail);
    for (const auto &e : fs::directory_iterator(dossiercas))
        if (!special(e.path().filename().string()))
            fs::copy(e.path(), travail / e.path().filename(),
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    for (const auto &[nom, cible] : liens(dossiercas)) fs::create_symlink(cible, travail / nom);
    const fs::path console = travail.parent_path() / (dossiercas.filename().string() + ".out");
    const std::string ligne = "cd '" + travail.string() + "' && " + commande + " < '" +
                              (dossiercas / "console.in").string() + "' > '" + console.string() +
                              "' 2>&1";
    const int statut = std::system(ligne.c_str());

    std::map<std::string, std::string> attendu = arbre(dossiercas, true);
    for (const auto &[nom, cible] : liens(dossiercas)) attendu[nom] = "-> " + cible;
    const fs::path dossierattendu = dossiercas / "attendu";
    if (fs::exists(dossierattendu))
        for (const auto &[nom, contenu] : arbre(dossierattendu, false)) attendu[nom] = contenu;
    const std::map<std::string, std::string> obtenu = arbre(travail, false);

    if (std::getenv("MISEAJOUR") != nullptr) {
        ecrire(dossiercas / "console.out", lire(console));
        std::map<std::string, std::string> depart = arbre(dossiercas, true);
        for (const auto &[nom, cible] : liens(dossiercas)) depart[nom] = "-> " + cible;
        for (const auto &[nom, contenu] : obtenu)
            if (!depart.count(nom) || depart.at(nom) != contenu)
                ecrire(dossierattendu / nom, contenu);
        return "";
    }

    std::string echecs;
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0)
        echecs += "exit status " + std::to_string(statut) + "\n";
    const std::string sortie = lire(console);
    if (sortie != lire(dossiercas / "console.out")) echecs += "console:\n[" + sortie + "]\n";
    for (const auto &[nom, contenu] : obtenu)
        if (!attendu.count(nom))
            echecs += "unexpected file " + nom + "\n";
        else if (attendu.at(nom) != contenu)
            echecs += "file " + nom + " differs:\n[" + contenu + "]\n";
    for (const auto &[nom, contenu] : attendu)
        if (!obtenu.count(nom)) echecs += "missing file " + nom + "\n";
    if (echecs.empty()) fs::remove_all(travail);
    return echecs;
}

} // namespace golden
