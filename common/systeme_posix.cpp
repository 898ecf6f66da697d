#include "systeme.h"

#include <sys/mman.h>

void grandespages(void *debut, size_t taille) {
#ifdef MADV_HUGEPAGE
    madvise(debut, taille, MADV_HUGEPAGE);
#else
    (void)debut;
    (void)taille;
#endif
}
