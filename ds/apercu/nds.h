/* The few names of libnds that the display-list files, the keyframe files and meshpress.h use,
   for the preview's own DS program (it has no libnds): their meanings as libnds documents them,
   on the geometry engine's ports as GBATEK gives them. */
#ifndef NDS_H
#define NDS_H

typedef unsigned int u32;
typedef int s32;
typedef short s16;
typedef s16 v16; /* 4.12 fixed point */
typedef s16 t16; /* 12.4 fixed point */

#define GFX_FIFO (*(volatile u32 *)0x04000400)

#define FIFO_NOP 0x00
#define FIFO_TEX_COORD 0x22
#define FIFO_VERTEX16 0x23
#define FIFO_BEGIN 0x40
#define FIFO_END 0x41
#define GL_TRIANGLE 0
#define FIFO_COMMAND_PACK(c1, c2, c3, c4)                                                          \
    ((u32)(c1) | (u32)(c2) << 8 | (u32)(c3) << 16 | (u32)(c4) << 24)
#define VERTEX_PACK(x, y) (((u32)(x)&0xFFFF) | (u32)(y) << 16)
#define TEXTURE_PACK(u, v) (((u32)(u)&0xFFFF) | (u32)(v) << 16)

#define floattov16(n) ((v16)((n) * (1 << 12)))
#define floattot16(n) ((t16)((n) * (1 << 4)))
#define floattof32(n) ((s32)((n) * (1 << 12)))

void glTranslate3f32(s32 x, s32 y, s32 z);
/* Angles in degrees. */
void glRotateX(float angle);
void glRotateY(float angle);
void glRotateZ(float angle);

#endif
