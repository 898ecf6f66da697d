// The golden cases of both programs, run through the real binaries as a user meets them. A case
// folder holds console.in (standard input), the files the run starts with (and in liens the
// symbolic links, "name target" a line), console.out (standard output and error expected) and
// attendu/ (the files expected to be created or changed): after the run the working folder must
// hold exactly the starting files overlaid by attendu/. An animator case may hold fenetre, what
// the user does in the window, a line each: an xdotool command (FENETRE stands for the window),
// "fermer" (the window manager's close request) or "image" (the window must show image.ppm).
// MISEAJOUR=1 rewrites the expectations instead (review the diff).
#include <algorithm>
#include <future>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <unistd.h>
// After the tests' headers: Xlib's macros (None, Bool) would stand in their way.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

namespace {

std::string lire(const fs::path &chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void ecrire(const fs::path &chemin, const std::string &contenu) {
    fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << contenu;
}

// The files a case starts with, its links made from liens, into dossier.
void preparer(const fs::path &cas, const fs::path &dossier) {
    const std::set<fs::path> speciaux = {"console.in", "console.out", "attendu", "liens", "fenetre", "image.ppm"};
    fs::create_directories(dossier);
    for (const auto &e : fs::directory_iterator(cas))
        if (!speciaux.count(e.path().filename())) fs::copy(e.path(), dossier / e.path().filename(), fs::copy_options::recursive);
    std::istringstream lignes(lire(cas / "liens"));
    for (std::string nom, cible; lignes >> nom >> cible;) fs::create_symlink(cible, dossier / nom);
}

// The window's pixels as a binary PPM, as the X server shows them.
std::string image(Display *d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a)) return "";
    XImage *x = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (x == nullptr) return "";
    std::string ppm = "P6\n" + std::to_string(a.width) + " " + std::to_string(a.height) + "\n255\n";
    for (int y = 0; y < a.height; ++y)
        for (int i = 0; i < a.width; ++i) {
            const unsigned long p = XGetPixel(x, i, y);
            for (unsigned long masque : {x->red_mask, x->green_mask, x->blue_mask})
                ppm += static_cast<char>((p & masque) >> __builtin_ctzl(masque));
        }
    XDestroyImage(x);
    return ppm;
}

void fermer(Display *d, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

// What the user does in the window; the failures.
std::string agir(const fs::path &cas, const fs::path &travail) {
    const bool miseajour = std::getenv("MISEAJOUR") != nullptr;
    FILE *p = popen("timeout 30 xdotool search --sync --onlyvisible --name '^stagehand$' | head -n 1", "r");
    char id[32] = "0";
    const Window w = std::strtoul(std::fgets(id, sizeof id, p) ? id : "0", nullptr, 10);
    pclose(p);
    if (w == 0) return "no window\n";
    Display *d = XOpenDisplay(nullptr);
    std::string echecs, action;
    std::istringstream actions(lire(cas / "fenetre"));
    while (std::getline(actions, action)) {
        if (action == "image") {
            // The expected picture, or one that no longer changes, within ten seconds.
            const std::string attendu = miseajour ? "" : lire(cas / "image.ppm");
            std::string vu, avant;
            for (int essai = 0; essai < 100 && (miseajour ? essai < 10 || vu != avant : vu != attendu); ++essai) {
                avant = vu;
                usleep(100000);
                vu = image(d, w);
            }
            ecrire((miseajour ? cas : travail) / "image.ppm", vu);
            if (vu != attendu && !miseajour) echecs += "the window differs from image.ppm: see " + travail.string() + "\n";
        } else if (action == "fermer") {
            fermer(d, w);
        } else {
            for (size_t i; (i = action.find("FENETRE")) != std::string::npos;) action.replace(i, 7, std::to_string(w));
            if (std::system(("xdotool " + action).c_str()) != 0) echecs += "xdotool " + action + " failed\n";
        }
    }
    XCloseDisplay(d);
    return echecs;
}

std::string verifier(const fs::path &cas, const char *programme) {
    const fs::path racine = fs::temp_directory_path() / ("golden-" + std::to_string(getpid())) / cas.filename();
    const fs::path travail = racine / "obtenu", attendu = racine / "attendu", console = racine / "console.out";
    fs::remove_all(racine);
    preparer(cas, travail);
    // The program runs beside what the user does in its window; a run that does not end is ended.
    auto fin = std::async(std::launch::async, [&] {
        return std::system(("cd '" + travail.string() + "' && timeout -s KILL 30 " + programme + " < '" +
                            (cas / "console.in").string() + "' > '" + console.string() + "' 2>&1").c_str());
    });
    std::string echecs = fs::exists(cas / "fenetre") ? agir(cas, racine) : "";
    const int statut = fin.get();
    if (std::getenv("MISEAJOUR") != nullptr) {
        // What the run created or changed becomes attendu/.
        ecrire(cas / "console.out", lire(console));
        for (const auto &e : fs::recursive_directory_iterator(travail)) {
            const fs::path rel = e.path().lexically_relative(travail);
            if (e.is_regular_file() && !e.is_symlink() && (!fs::is_regular_file(cas / rel) || lire(cas / rel) != lire(e.path())))
                ecrire(cas / "attendu" / rel, lire(e.path()));
        }
        return echecs;
    }
    // The starting files overlaid by attendu/, against what the run left, links as links.
    preparer(cas, attendu);
    if (fs::exists(cas / "attendu"))
        fs::copy(cas / "attendu", attendu, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    if (statut != 0) echecs += "exit status " + std::to_string(statut) + "\n";
    if (lire(console) != lire(cas / "console.out")) echecs += "console:\n[" + lire(console) + "]\n";
    const std::string diff = "diff -r --no-dereference '" + attendu.string() + "' '" + travail.string() + "' | head -c 3000";
    FILE *p = popen(diff.c_str(), "r");
    for (char t[4096]; const size_t n = std::fread(t, 1, sizeof t, p);) echecs.append(t, n);
    pclose(p);
    if (echecs.empty()) fs::remove_all(racine);
    return echecs;
}

struct Cas {
    fs::path dossier;
    const char *programme;
};

std::vector<Cas> tous() {
    std::vector<Cas> cas;
    for (const auto &[racine, programme] : {std::pair{CAS "/meshpress", MESHPRESS}, std::pair{CAS "/stagehand", STAGEHAND}})
        for (const auto &e : fs::directory_iterator(racine)) cas.push_back({e.path(), programme});
    std::sort(cas.begin(), cas.end(), [](const Cas &a, const Cas &b) { return a.dossier < b.dossier; });
    return cas;
}

class Golden : public testing::TestWithParam<Cas> {};
TEST_P(Golden, SortieConsoleFichiers) { EXPECT_EQ(verifier(GetParam().dossier, GetParam().programme), ""); }

INSTANTIATE_TEST_SUITE_P(Cas, Golden, testing::ValuesIn(tous()), [](const testing::TestParamInfo<Cas> &cas) {
    return cas.param.dossier.parent_path().filename().string() + "_" + cas.param.dossier.filename().string();
});

} // namespace
