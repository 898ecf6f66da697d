/* Makes the preview's .nds file: the cartridge header (GBATEK, "DS Cartridge Header"), the ARM9
   image given, and an ARM7 image of one instruction that idles. Usage: cartouche arm9.bin out.nds
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void mot(unsigned char *p, unsigned long valeur) {
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(valeur >> (8 * i));
}

/* CRC-16 (polynomial 0xA001, reflected, from 0xFFFF), as the header checksums use it. */
static unsigned crc16(const unsigned char *p, size_t n) {
    unsigned crc = 0xFFFF;
    while (n--) {
        crc ^= *p++;
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

int main(int argc, char **argv) {
    enum { ARM9 = 0x4000, RAM9 = 0x02000000, RAM7 = 0x037F8000 };
    static unsigned char rom[ARM9 + (4 << 20)];
    FILE *f = argc == 3 ? fopen(argv[1], "rb") : NULL;
    if (f == NULL) {
        fprintf(stderr, "usage: cartouche arm9.bin out.nds\n");
        return 2;
    }
    const size_t taille9 = fread(rom + ARM9, 1, sizeof rom - ARM9 - 0x1000, f);
    fclose(f);
    const size_t arm7 = (ARM9 + taille9 + 0xFFF) & ~(size_t)0xFFF, fin = arm7 + 4;
    const unsigned char attente7[4] = {0xFE, 0xFF, 0xFF, 0xEA}; /* b . */
    memcpy(rom + arm7, attente7, 4);
    memcpy(rom, "APERCU", 6);
    memcpy(rom + 0x0C, "####00", 6);
    rom[0x14] = 0x05; /* 4 MiB */
    mot(rom + 0x20, ARM9);
    mot(rom + 0x24, RAM9);
    mot(rom + 0x28, RAM9);
    mot(rom + 0x2C, taille9);
    mot(rom + 0x30, arm7);
    mot(rom + 0x34, RAM7);
    mot(rom + 0x38, RAM7);
    mot(rom + 0x3C, 4);
    mot(rom + 0x80, fin);
    mot(rom + 0x84, ARM9);
    const unsigned crc = crc16(rom, 0x15E);
    rom[0x15E] = (unsigned char)crc;
    rom[0x15F] = (unsigned char)(crc >> 8);
    f = fopen(argv[2], "wb");
    if (f == NULL || fwrite(rom, 1, fin, f) != fin || fclose(f) != 0) {
        fprintf(stderr, "cartouche: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
