#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char *const VERSION = VERSION_PROJET;

bool optioncommune(const char *argument, const char *programme, const char *usage) {
    if (std::strcmp(argument, "--help") == 0) {
        std::fputs(usage, stdout);
    } else if (std::strcmp(argument, "--version") == 0) {
        std::printf("%s %s\n", programme, VERSION);
    } else {
        return false;
    }
    std::exit(std::fflush(stdout) == 0 ? 0 : 1);
}

void refuserargument(const char *argument, const char *programme, const char *usage) {
    std::fprintf(stderr, "%s : argument inconnu : %s\n%s", programme, argument, usage);
    std::exit(2);
}

void refuservaleur(const char *argument, const char *pourquoi, const char *programme,
                   const char *usage) {
    std::fprintf(stderr, "%s : argument invalide : %s : %s\n%s", programme, argument, pourquoi, usage);
    std::exit(2);
}
