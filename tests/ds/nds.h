/* libnds's names, for DS code compiled on the host: types, packings and conversions as libnds
   documents them, the functions with libnds's arguments (devkitPro's and BlocksDS's alike). The
   words written to the geometry engine's FIFO are recorded in envoyes; the functions are the test
   program's own, which records what each receives. */
#ifndef NDS_H
#define NDS_H
typedef unsigned int u32;
typedef unsigned short u16;
typedef unsigned char u8;
typedef int s32;
typedef int int32;
typedef short v16, t16, v10;
typedef u16 rgb;
typedef struct {
    int32 x, y, z;
} GLvector;
static u32 envoyes[1 << 20], n;
#define GFX_FIFO envoyes[n++ % (1 << 20)]
enum { FIFO_NOP = 0, FIFO_COLOR = 0x20, FIFO_NORMAL = 0x21, FIFO_TEX_COORD = 0x22, FIFO_VERTEX16 = 0x23, FIFO_VERTEX10 = 0x24,
       FIFO_VERTEX_XY = 0x25, FIFO_VERTEX_XZ = 0x26, FIFO_VERTEX_YZ = 0x27, FIFO_DIFFUSE_AMBIENT = 0x30, FIFO_BEGIN = 0x40,
       FIFO_END = 0x41, GL_TRIANGLE = 0 };
/* The registers of the commands libnds names no FIFO_ macro for, as their ids, which REG2ID
   gives back: meshpress.h names the commands so. */
enum { MATRIX_PUSH = 0x11, MATRIX_POP = 0x12, MATRIX_SCALE = 0x1B, GFX_VERTEX_DIFF = 0x28 };
#define REG2ID(r) (r)
#define FIFO_COMMAND_PACK(c1, c2, c3, c4) ((u32)(c1) | (u32)(c2) << 8 | (u32)(c3) << 16 | (u32)(c4) << 24)
#define VERTEX_PACK(x, y) (((u32)(x) & 0xFFFF) | (u32)(y) << 16)
#define TEXTURE_PACK(u, v) (((u32)(u) & 0xFFFF) | (u32)(v) << 16)
#define floattov16(n) ((v16)((n) * (1 << 12)))
#define floattot16(n) ((t16)((n) * (1 << 4)))
#define floattof32(n) ((int32)((n) * (1 << 12)))
#define floattov10(n) ((n) > .998 ? 0x1FF : (v10)((n) * (1 << 9)))
#define RGB15(r, g, b) ((rgb)((r) | (g) << 5 | (b) << 10))

/* Engine A on the top screen, BG0 showing the 3D picture. */
#define MODE_0_3D 0x10108
enum { GL_PROJECTION = 0, GL_POSITION = 1, GL_MODELVIEW = 2, GL_TEXTURE = 3 };
#define GL_MAX_DEPTH 0x7FFF
#define POLY_CULL_NONE (3 << 6)
#define POLY_ALPHA(n) ((u32)(n) << 16)
#define POLY_FORMAT_LIGHT0 1
enum { GL_AMBIENT = 1, GL_DIFFUSE = 2, GL_AMBIENT_AND_DIFFUSE = 3, GL_SPECULAR = 4, GL_SHININESS = 8, GL_EMISSION = 0x10 };
#define KEY_A 1
#define GL_TEXTURE_2D 1
#define GL_RGBA 7
#define GL_TEXTURE_WRAP_S (1 << 16)
#define GL_TEXTURE_WRAP_T (1 << 17)
#define TEXGEN_OFF 0
#define VRAM_A_TEXTURE 3
enum { TEXTURE_SIZE_8, TEXTURE_SIZE_16, TEXTURE_SIZE_32, TEXTURE_SIZE_64, TEXTURE_SIZE_128, TEXTURE_SIZE_256, TEXTURE_SIZE_512, TEXTURE_SIZE_1024 };

void videoSetMode(u32 mode);
int glInit(void);
void glClearColor(u8 red, u8 green, u8 blue, u8 alpha);
void glClearPolyID(u8 id);
void glClearDepth(u16 depth);
void glViewport(u8 x1, u8 y1, u8 x2, u8 y2);
void glMatrixMode(int mode);
void glLoadIdentity(void);
void gluPerspective(float fovy, float aspect, float zNear, float zFar);
void gluLookAt(float eyex, float eyey, float eyez, float lookAtx, float lookAty, float lookAtz, float upx, float upy, float upz);
void glPolyFmt(u32 params);
void glColor(rgb color);
void glLight(int id, rgb color, v10 x, v10 y, v10 z);
void glMaterialf(int mode, rgb color);
void glPushMatrix(void);
void glPopMatrix(int num);
void glScalev(const GLvector *v);
void glTranslate3f32(int x, int y, int z);
void glRotateX(float angle);
void glRotateY(float angle);
void glRotateZ(float angle);
void glFlush(u32 mode);
void scanKeys(void);
u32 keysDown(void);
void swiWaitForVBlank(void);
void vramSetBankA(int mode);
void glEnable(int bits);
int glGenTextures(int n, int *names);
void glBindTexture(int target, int name);
int glTexImage2D(int target, int empty1, int type, int sizeX, int sizeY, int empty2, int param, const void *texture);
void DC_FlushRange(const void *base, u32 size);
#endif
