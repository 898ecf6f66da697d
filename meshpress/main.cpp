#include "convertisseur.h"

int main() {
    convertisseur();
    return 0;
}
