#include "conversion.h"

#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

double maintenant() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Conversion convertir(const std::filesystem::path &dossier, const std::string &modele,
                     const std::string &base, const std::vector<const char *> &arguments) {
    const double debut = maintenant();
    const pid_t pid = fork();
    if (pid == 0) {
        int tube[2];
        if (chdir(dossier.c_str()) != 0 || pipe(tube) != 0) _exit(127);
        const std::string reponses = modele + "\n" + base + "\n";
        if (write(tube[1], reponses.data(), reponses.size()) < 0) _exit(127);
        close(tube[1]);
        dup2(tube[0], 0);
        const int rien = open("/dev/null", O_WRONLY);
        dup2(rien, 1);
        dup2(rien, 2);
        std::vector<char *> argv = {const_cast<char *>(MESHPRESS)};
        for (const char *a : arguments)
            argv.push_back(const_cast<char *>(a));
        argv.push_back(nullptr);
        execv(MESHPRESS, argv.data());
        _exit(127);
    }
    int statut = 0;
    rusage usage{};
    wait4(pid, &statut, 0, &usage);
    return {maintenant() - debut, usage.ru_maxrss, WIFEXITED(statut) && WEXITSTATUS(statut) == 0};
}
