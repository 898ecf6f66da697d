@ Entry point of the preview's DS program on the ARM9: a stack, a zeroed .bss, the system set up
@ as libnds's start-up code leaves it, then main.
    .section .text.demarrage
    .global demarrage9
    .arm
demarrage9:
    ldr sp, =__pile
    ldr r0, =__bss_debut
    ldr r1, =__bss_fin
    mov r2, #0
1:  cmp r0, r1
    strlo r2, [r0], #4
    blo 1b
    bl initsysteme
    bl main
2:  b 2b
