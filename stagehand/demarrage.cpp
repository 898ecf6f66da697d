#include "demarrage.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "chargeur.h"
#include "controles.h"
#include "fenetre.h"
#include "imagescles.h"
#include "messages.h"
#include "options.h"
#include "scene.h"
#include "systeme.h"
#include "textures.h"

namespace {

const char USAGE[] =
    "usage : stagehand [-r | --reprendre] [--glisser] [--textures] [--texture LISTE IMAGE]...\n"
    "                  [--help] [--version] [options de GLUT : -display...]\n"
    "Charge des listes d'affichage de meshpress dans une fenetre ou l'on place et tourne chaque\n"
    "objet ; chaque Entree ajoute une image cle (la pose de chaque objet) a un fichier par objet,\n"
    "base0.txt, base1.txt... Les fichiers et le nom de base sont demandes sur la console.\n"
    "  -r, --reprendre  continue les fichiers d'images cles du nom de base : chaque objet part de\n"
    "                   la pose de sa derniere image cle, et les suivantes s'y ajoutent\n"
    "  --glisser        la souris ne tourne la vue que bouton enfonce\n"
    "  --textures       dessine chaque liste texturee avec son image, LISTE_texture.h a cote\n"
    "                   d'elle (de meshpress-texture) ; la touche i les montre ou les cache\n"
    "  --texture LISTE IMAGE  l'image (PNG ou BMP) de la liste LISTE, et --textures\n"
    "Voir man stagehand.\n";

// The options GLUT takes from the command line, those followed by a value first.
constexpr const char *OPTIONSGLUT[] = {"-display",  "-geometry", "-iconic", "-direct",
                                       "-indirect", "-gldebug",  "-sync"};

// Takes the program's own options out of argv, before GLUT reads the rest; anything neither
// takes is refused.
void lireoptions(int &argc, char **argv) {
    int garde = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-r") == 0 || std::strcmp(argv[i], "--reprendre") == 0) {
            reprendre = true;
            continue;
        }
        if (std::strcmp(argv[i], "--glisser") == 0) {
            glisser = true;
            continue;
        }
        if (optioncommune(argv[i], "stagehand", USAGE)) continue;
        if (const int pris = optiontextures(argc, argv, i, USAGE)) {
            i += pris - 1;
            continue;
        }
        int glut = -1;
        for (int k = 0; k < static_cast<int>(std::size(OPTIONSGLUT)); ++k)
            if (std::strcmp(argv[i], OPTIONSGLUT[k]) == 0) glut = k;
        if (glut < 0 || (glut < 2 && i + 1 == argc)) refuserargument(argv[i], "stagehand", USAGE);
        argv[garde++] = argv[i];
        if (glut < 2) argv[garde++] = argv[++i];
    }
    argc = garde;
    argv[argc] = nullptr;
}

// The window takes over, with the keyboard: the window system gives a new window the focus.
void prendrelamain() {
    glutDisplayFunc(Display);
    glutReshapeFunc(reshape);
    // Closing the window ends the program as Esc does, with complete keyframe files.
    glutCloseFunc(terminer);
    if (glisser)
        glutMotionFunc(motion);
    else
        glutPassiveMotionFunc(motion);
    glutKeyboardFunc(Clavier);
    glutSpecialFunc(Clavierspecial);
    retenirdepart();
    titrer();
    signaler("stagehand", true,
             "a vous dans la fenetre : la souris tourne la vue, Entree enregistre une image cle, "
             "c affiche les touches, Echap termine.");
}

} // namespace

void init() {
    initrendu();
    if (!chargement()) std::exit(1);
    std::memset(translate, 0, sizeof translate);
    std::memset(rotate, 0, sizeof rotate);
    if (!ouvrirfichiers()) std::exit(1);
}

int lancer(int argc, char **argv) {
    preparerconsole();
    argumentsenutf8(argc, argv);
    lireoptions(argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WIDTH, HEIGHT);
    glutInitWindowPosition(50, 50);
    // The objects are compiled into the window's context. It is made current with no window
    // shown, so that the console keeps the keyboard while the questions are asked; the window
    // takes it over once they are answered. Without it, the window comes first.
    const bool contexte = preparercontexte();
    if (!contexte) glutCreateWindow("stagehand");
    init();
    if (contexte) {
        glutSetOption(GLUT_RENDERING_CONTEXT, GLUT_USE_CURRENT_CONTEXT);
        glutCreateWindow("stagehand");
        libererbrouillon();
    }
    prendrelamain();
    glutMainLoop();
    return 0;
}
