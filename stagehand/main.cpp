#include "demarrage.h"

int main(int argc, char **argv) {
    return lancer(argc, argv);
}
