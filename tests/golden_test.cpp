// The golden cases of both programs (tests/golden/README.md), run through the real binaries as a
// user meets them. MISEAJOUR=1 rewrites the expectations instead (review the diff).
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <set>
#include <csignal>
#include <sys/wait.h>
// After the tests' headers: Xlib's macros (None, Bool) would stand in their way.
#include <X11/Xlib.h>

namespace fs = std::filesystem;

namespace {

const bool MISEAJOUR = std::getenv("MISEAJOUR") != nullptr;

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
    const std::set<fs::path> speciaux = {"console.in", "console.out", "console.err", "console.err.windows", "attendu", "liens", "fenetre", "posix", "arguments", "statut", "openbox", "terminal"};
    fs::create_directories(dossier);
    for (const auto &e : fs::directory_iterator(cas))
        if (!speciaux.count(e.path().filename()) && e.path().extension() != ".ppm") fs::copy(e.path(), dossier / e.path().filename(), fs::copy_options::recursive);
    std::istringstream lignes(lire(cas / "liens"));
    for (std::string nom, cible; lignes >> nom >> cible;) fs::create_symlink(cible, dossier / nom);
}

// What a shell command prints.
std::string sortie(const std::string &commande) {
    std::string s;
    FILE *p = popen(commande.c_str(), "r");
    for (char t[65536]; const size_t n = std::fread(t, 1, sizeof t, p);) s.append(t, n);
    pclose(p);
    return s;
}

// Whether within ten seconds the window's title is the text, or starts with it when debut.
bool titre(Window w, const std::string &texte, bool debut = false) {
    for (int essai = 0; essai < 100; ++essai, usleep(100000)) {
        std::string vu = sortie("xdotool getwindowname " + std::to_string(w));
        if (!vu.empty()) vu.pop_back();
        if (debut ? vu.rfind(texte, 0) == 0 : vu == texte) return true;
    }
    return false;
}

// The window of the program once it takes over (its title then starts with "stagehand - "), 0
// when it never does.
Window prise() {
    const Window w = std::strtoul(sortie("timeout 30 xdotool search --sync --onlyvisible --name '^stagehand'").c_str(), nullptr, 10);
    return w != 0 && titre(w, "stagehand - ", true) ? w : 0;
}

// What the user does in the window; the failures. The actions start once the window takes over,
// or at once up to the action console, after which they wait for it again.
std::string agir(const fs::path &cas, const fs::path &travail) {
    const std::string fenetre = lire(cas / "fenetre");
    Window w = 0, autre = 0;
    if (fenetre.find("console\n") == std::string::npos && (w = prise()) == 0) return "the window never took over\n";
    Display *d = XOpenDisplay(nullptr);
    // A window gone (the program ended early) is a failure the checks report, not the runner's end.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    std::string echecs, action;
    for (std::istringstream actions(fenetre); std::getline(actions, action);) {
        if (action == "console") {
            // Piped answers are given now; typed ones were typed by the actions before.
            if (!fs::exists(cas / "terminal")) std::ofstream(travail / "console");
            if ((w = prise()) == 0) echecs += "the window never took over\n";
        } else if (action.rfind("sortie ", 0) == 0) {
            bool vu = false;
            for (int essai = 0; essai < 100 && !(vu = lire(travail / "console.out").find(action.substr(7)) != std::string::npos); ++essai) usleep(100000);
            if (!vu) echecs += "the console never said [" + action.substr(7) + "]\n";
        } else if (action == "autre") {
            // Another window, beside the program's, given the keyboard.
            autre = XCreateSimpleWindow(d, DefaultRootWindow(d), 800, 50, 300, 200, 0, 0, 0xffffff);
            XMapWindow(d, autre);
            XSync(d, False);
            if (std::system(("xdotool windowactivate --sync " + std::to_string(autre)).c_str()) != 0) echecs += "the other window got no focus\n";
        } else if (action.rfind("pointeur ", 0) == 0) {
            // Where the pointer is in the program's window.
            Window racine, enfant;
            int rx, ry, x, y;
            unsigned masque;
            XQueryPointer(d, w, &racine, &enfant, &rx, &ry, &x, &y, &masque);
            if (std::to_string(x) + " " + std::to_string(y) != action.substr(9)) echecs += "the pointer is at " + std::to_string(x) + " " + std::to_string(y) + ", not " + action.substr(9) + "\n";
        } else if (action.rfind("titre ", 0) == 0) {
            if (!titre(w, action.substr(6))) echecs += "the title is not [" + action.substr(6) + "] but [" + sortie("xdotool getwindowname " + std::to_string(w)) + "]\n";
        } else if (action.rfind("image", 0) == 0) {
            // The expected picture (image.ppm, or the file the action names), or one that no
            // longer changes, within ten seconds.
            const std::string nom = action == "image" ? "image.ppm" : action.substr(6);
            const std::string attendu = MISEAJOUR ? "" : lire(cas / nom);
            std::string vu, avant;
            for (int essai = 0; essai < 100 && (MISEAJOUR ? essai < 10 || vu != avant : vu != attendu); ++essai) {
                avant = vu;
                usleep(100000);
                vu = sortie("xwd -silent -id " + std::to_string(w) + " | xwdtopnm 2> /dev/null");
            }
            ecrire((MISEAJOUR ? cas : travail) / nom, vu);
            if (vu != attendu && !MISEAJOUR) echecs += "the window differs from " + nom + ": see " + travail.string() + "\n";
        } else if (action == "tuer") {
            // As a crash would end it: timeout, told its time is up, kills the program with SIGKILL.
            kill(std::stoi(lire(travail / "pid")), SIGALRM);
        } else if (action == "fermer") {
            XEvent e{.xclient = {ClientMessage, 0, 0, d, w, XInternAtom(d, "WM_PROTOCOLS", False), 32,
                                 {.l = {static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False))}}}};
            XSendEvent(d, w, False, NoEventMask, &e);
            XFlush(d);
        } else {
            for (size_t i; (i = action.find("FENETRE")) != std::string::npos;) action.replace(i, 7, std::to_string(w));
            if (std::system(("xdotool " + action).c_str()) != 0) echecs += "xdotool " + action + " failed\n";
        }
    }
    if (autre != 0) XDestroyWindow(d, autre);
    XCloseDisplay(d);
    return echecs;
}

// openbox, running and managing windows once it has said so on the root window.
pid_t lancergestionnaire() {
    const pid_t p = fork();
    if (p == 0) {
        std::freopen("/dev/null", "w", stderr); // its word on the menus Debian did not make
        execlp("openbox", "openbox", "--sm-disable", nullptr);
        _exit(127);
    }
    Display *d = XOpenDisplay(nullptr);
    const Atom marque = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    unsigned long n = 0;
    for (int essai = 0; essai < 100 && n == 0; ++essai, usleep(100000)) {
        Atom type;
        int format;
        unsigned long reste;
        unsigned char *valeur = nullptr;
        XGetWindowProperty(d, DefaultRootWindow(d), marque, 0, 1, False, AnyPropertyType, &type, &format, &n, &reste, &valeur);
        if (valeur != nullptr) XFree(valeur);
    }
    XCloseDisplay(d);
    return p;
}

// openbox ended, and its mark taken off the root window: the server outlives it, and freeglut
// fails on a mark naming a window that is gone.
void arretergestionnaire(pid_t p) {
    kill(p, SIGTERM);
    waitpid(p, nullptr, 0);
    Display *d = XOpenDisplay(nullptr);
    XDeleteProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False));
    XCloseDisplay(d);
}

std::string verifier(const fs::path &cas, const char *programme) {
    const fs::path racine = fs::temp_directory_path() / ("golden-" + std::to_string(getpid())) / cas.filename();
    const fs::path travail = racine / "obtenu", attendu = racine / "attendu";
    fs::remove_all(racine);
    preparer(cas, travail);
    // The program runs beside what the user does in its window; a run that does not end is ended.
    // Its console answers wait, when the case says so, for the action console.
    const bool attend = lire(cas / "fenetre").find("console\n") != std::string::npos;
    const std::string entree = "'" + (cas / "console.in").string() + "'";
    const std::string avant = attend ? "(timeout 30 sh -c 'until [ -e ../console ]; do sleep 0.05; done'; cat " + entree + ") | " : "";
    std::string arguments = lire(cas / "arguments");
    if (!arguments.empty()) arguments = " " + arguments.substr(0, arguments.size() - 1);
    // With a file openbox, under that window manager; with a file terminal, in a terminal of its
    // own (xterm), its answers typed there by the actions, its status kept in a file.
    const pid_t gestionnaire = fs::exists(cas / "openbox") ? lancergestionnaire() : 0;
    const bool terminal = fs::exists(cas / "terminal");
    // On the terminal, timeout leaves the program in the foreground, where it may read it.
    std::string commande = std::string("timeout ") + (terminal ? "--foreground " : "") + "-s KILL 30 " + programme + arguments;
    if (terminal) commande = "xterm -e sh -c '" + commande + " > ../console.out 2> ../console.err; echo $? > ../code'";
    else commande = avant + commande + (attend ? "" : " < " + entree) + " > ../console.out 2> ../console.err";
    auto fin = std::async(std::launch::async, [&] {
        return std::system(("cd '" + travail.string() + "' && (" + commande + " & echo $! > ../pid; wait $! 2> /dev/null)").c_str());
    });
    std::string echecs = fs::exists(cas / "fenetre") ? agir(cas, racine) : "";
    int statut = fin.get();
    if (terminal) statut = std::stoi("0" + lire(racine / "code")) << 8;
    if (gestionnaire != 0) arretergestionnaire(gestionnaire);
    fs::remove(racine / "code");
    fs::remove(racine / "pid");
    // Under Wine, where the system gives a reason of its own, console.err.windows when there is one.
    const bool windows = std::getenv("MESHPRESS_COMMANDE") != nullptr;
    // Under Wine, freeglut reads the X server's DISPLAY as a Windows display's name and says it
    // cannot open it: no word of the animator's, and no Windows user's.
    if (windows) {
        std::string erreurs = lire(racine / "console.err");
        const std::string freeglut = "fgPlatformInitialize: CreateDC failed, Screen size info may be incorrect\n"
                                     "This is quite likely caused by a bad '-display' parameter\n";
        if (const size_t i = erreurs.find(freeglut); i != std::string::npos)
            erreurs.erase(erreurs.rfind("freeglut (", i), i + freeglut.size() - erreurs.rfind("freeglut (", i));
        ecrire(racine / "console.err", erreurs);
    }
    for (const std::string flux : {"console.out", "console.err"})
        if (MISEAJOUR && (!lire(racine / flux).empty() || fs::exists(cas / flux))) ecrire(cas / flux, lire(racine / flux));
        else if (lire(racine / flux) != lire(cas / (windows && fs::exists(cas / (flux + ".windows")) ? flux + ".windows" : flux)))
            echecs += flux + ":\n[" + lire(racine / flux) + "]\n";
    // A program killed ends as timeout says of it: 128 + SIGKILL.
    const bool tue = lire(cas / "fenetre").find("tuer\n") != std::string::npos;
    const int statutattendu = fs::exists(cas / "statut") ? std::stoi(lire(cas / "statut")) : tue ? 128 + SIGKILL : 0;
    if (statut != statutattendu << 8) echecs += "exit status " + std::to_string(statut) + "\n";
    // With MISEAJOUR, what the run created or changed becomes attendu/.
    for (const auto &e : fs::recursive_directory_iterator(travail))
        if (const fs::path rel = e.path().lexically_relative(travail);
            MISEAJOUR && e.is_regular_file() && !e.is_symlink() && (!fs::exists(cas / rel) || lire(cas / rel) != lire(e.path())))
            ecrire(cas / "attendu" / rel, lire(e.path()));
    if (MISEAJOUR) return echecs;
    // The starting files overlaid by attendu/, against what the run left, links as links.
    preparer(cas, attendu);
    if (fs::exists(cas / "attendu"))
        fs::copy(cas / "attendu", attendu, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    echecs += sortie("diff -r --no-dereference '" + attendu.string() + "' '" + travail.string() + "' | head -c 3000");
    if (echecs.empty()) fs::remove_all(racine);
    return echecs;
}

} // namespace

// With MESHPRESS_COMMANDE and STAGEHAND_COMMANDE (the Windows builds under Wine, say), the cases
// run through those commands, but for those that rely on what only POSIX systems have (a file
// posix in the case says what), which are listed as left out.
TEST(Golden, SortieConsoleFichiers) {
    const char *commandes[] = {std::getenv("MESHPRESS_COMMANDE"), std::getenv("STAGEHAND_COMMANDE")};
    const char *natifs[] = {MESHPRESS, STAGEHAND};
    for (const int k : {0, 1})
        for (const auto &cas : fs::directory_iterator(fs::path(CAS) / (k == 0 ? "meshpress" : "stagehand"))) {
            if (commandes[0] && (!commandes[k] || fs::exists(cas.path() / "posix"))) {
                if (commandes[k]) std::printf("left out: %s: %s", cas.path().filename().c_str(), lire(cas.path() / "posix").c_str());
                continue;
            }
            EXPECT_EQ(verifier(cas.path(), commandes[k] ? commandes[k] : natifs[k]), "") << cas.path();
        }
}

// OBJ models one past the converter's capacity, made here (megabytes each): "erreur", why on
// standard error, and a display-list file left empty rather than one that looks complete. Through
// MESHPRESS_COMMANDE too when it is given.
TEST(Golden, AuDelaDeLaCapacite) {
    const char *commande = std::getenv("MESHPRESS_COMMANDE");
    const fs::path d = fs::temp_directory_path() / ("capacite-" + std::to_string(getpid()));
    fs::create_directories(d);
    const struct {
        std::string debut, ligne;
        const char *erreur;
    } cas[] = {
        {"", "v 0 0 0\n", "ligne 1000001 : le modele a plus de 1000000 sommets"},
        {"", "vt 0.5\n", "ligne 1000001 : le modele a plus de 1000000 sommets de texture"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\n", "f 1 2 3\n", "ligne 1000004 : le modele a plus de 1000000 triangles"},
    };
    for (const auto &c : cas) {
        std::string modele = c.debut;
        for (int i = 0; i <= 1000000; ++i) modele += c.ligne;
        ecrire(d / "modele.obj", modele);
        EXPECT_EQ(sortie("cd '" + d.string() + "' && printf 'modele.obj\\nm\\n' | " + (commande ? commande : MESHPRESS) + " 2> err"),
                  "nom du fichier a convertir (mettre l'extension): enregistrer sous (pas d'extension): m.cerreur");
        EXPECT_EQ(lire(d / "err"), std::string("\nmeshpress : ") + c.erreur + ", la capacite du convertisseur ; aucune liste n'est ecrite.\n");
        EXPECT_EQ(fs::file_size(d / "m.h"), 0u);
    }
    fs::remove_all(d);
}

// A text model of n faces on one point, converted where MESHPRESS_COMMANDE says: a list of more
// than 1 MiB (4 bytes a word: the header's 3, 7 a face, the terminator's 1) says its size.
TEST(Golden, GrandTableau) {
    const char *commande = std::getenv("MESHPRESS_COMMANDE");
    const fs::path d = fs::temp_directory_path() / ("grand-" + std::to_string(getpid()));
    fs::create_directories(d);
    for (const int faces : {37448, 37450}) {
        std::string modele = "Nombre_de_points: 3\nPoints: 0 1 1 1\n";
        for (int i = 0; i < faces; ++i) modele += "Faces: 0 0 0 0\n";
        ecrire(d / "modele.txt", modele);
        sortie("cd '" + d.string() + "' && printf 'modele.txt\\nm\\n' | " + (commande ? commande : MESHPRESS) + " > /dev/null 2> err");
        const long long mots = 3 + 7LL * faces + 1;
        EXPECT_EQ(lire(d / "err").find("le tableau fait 1.0 Mio (" + std::to_string(mots) + " mots de 4 octets)") != std::string::npos,
                  4 * mots > (1 << 20)) << lire(d / "err");
    }
    fs::remove_all(d);
}
