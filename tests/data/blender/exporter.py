# Makes the OBJ test models with Blender's own exporter (not run by the tests; the files it
# writes are committed):  blender -b --factory-startup --python exporter.py -- OUTDIR
# Blender's default axes (forward -Z, up Y): OBJ (x, y, z) = Blender (x, z, -y). The objects
# stand about 6 units in front of the animator's start camera, around its eye height (4 units,
# 0.4 at the animator's tenth).
import bmesh
import bpy
import math
import os
import sys

sortie = sys.argv[sys.argv.index("--") + 1]
os.makedirs(sortie, exist_ok=True)


def vider():
    bpy.ops.object.select_all(action="SELECT")
    bpy.ops.object.delete()
    for m in list(bpy.data.meshes):
        bpy.data.meshes.remove(m)


def maillage(nom, sommets, faces, aretes=()):
    m = bpy.data.meshes.new(nom)
    m.from_pydata(sommets, list(aretes), faces)
    o = bpy.data.objects.new(nom, m)
    bpy.context.collection.objects.link(o)
    return o


def exporter(nom, **options):
    bpy.ops.wm.obj_export(filepath=os.path.join(sortie, nom), **options)


def image(nom, largeur, hauteur, format, extension):
    # A picture that shows its way round: red grows to the right, green upwards (as Blender shows
    # it), a white corner at the top left.
    img = bpy.data.images.new(nom, largeur, hauteur)
    pixels = []
    for y in range(hauteur):
        for x in range(largeur):
            coin = x < largeur // 4 and y >= hauteur * 3 // 4
            pixels += [1, 1, 1, 1] if coin else [x / (largeur - 1), y / (hauteur - 1), 0.2, 1]
    img.pixels = pixels
    img.filepath_raw = os.path.join(sortie, nom + "." + extension)
    img.file_format = format
    img.save()
    return img


def matiere(nom, img):
    mat = bpy.data.materials.new(nom)
    mat.use_nodes = True
    bsdf = mat.node_tree.nodes["Principled BSDF"]
    tex = mat.node_tree.nodes.new("ShaderNodeTexImage")
    tex.image = img
    mat.node_tree.links.new(bsdf.inputs["Base Color"], tex.outputs["Color"])
    return mat


# Several objects: a cube (quads), an octagonal prism (n-gon caps), a five-pointed star (one
# concave polygon), a quad folded slightly out of its plane, and a loose edge (an "l" statement).
vider()
bpy.ops.mesh.primitive_cube_add(size=1.2, location=(-2, 6, 4.8), rotation=(0.3, 0, 0.5))
bpy.ops.mesh.primitive_cylinder_add(vertices=8, radius=0.6, depth=1.0, location=(0.6, 6, 5.2),
                                    rotation=(1.0, 0, 0.2))
etoile = []
for k in range(10):
    r = 0.9 if k % 2 == 0 else 0.38
    a = math.pi / 2 + k * math.pi / 5
    etoile.append((r * math.cos(a), 0, r * math.sin(a)))
maillage("Etoile", etoile, [list(range(10))]).location = (2.2, 6, 3.2)
# A dart whose reflex corner comes second, one corner lifted a little out of the plane: the fan
# from the first corner would fold a triangle backwards.
maillage("Pli", [(0.6, 0, -0.5), (0, 0, -0.1), (0, 0.08, 0.6), (-0.6, 0, -0.5)],
         [[0, 1, 2, 3]]).location = (-0.6, 6, 2.9)
maillage("Arete", [(0, 0, 0), (0.5, 0, 0.5)], [], [(0, 1)]).location = (1.5, 6, 2.2)
exporter("scene.obj", export_uv=False, export_materials=False)

# The concave star alone, without normals: corners as plain vertex numbers.
vider()
maillage("Etoile", etoile, [list(range(10))]).location = (0, 6, 4)
exporter("etoile.obj", export_uv=False, export_normals=False, export_materials=False)

# Textured: a cube with a 64 x 32 PNG, a plane with a 16 x 64 BMP.
vider()
brique = matiere("brique", image("brique", 64, 32, "PNG", "png"))
herbe = matiere("herbe", image("herbe", 16, 64, "BMP", "bmp"))
bpy.ops.mesh.primitive_cube_add(size=1.4, location=(-1.2, 6, 4.6), rotation=(0.35, 0, 0.6))
bpy.context.object.data.materials.append(brique)
bpy.ops.mesh.primitive_plane_add(size=1.6, location=(1.3, 6, 4.2), rotation=(math.pi / 2, 0, 0.25))
bpy.context.object.data.materials.append(herbe)
exporter("texture.obj", path_mode="RELATIVE")

# A sign facing the camera, its 32 x 32 PNG upright as Blender's front view shows it: for the DS
# preview, which draws it with its texture.
vider()
panneau = matiere("panneau", image("panneau", 32, 32, "PNG", "png"))
bpy.ops.mesh.primitive_plane_add(size=2, location=(0, 6, 4), rotation=(math.pi / 2, 0, 0))
bpy.context.object.data.materials.append(panneau)
exporter("panneau.obj", path_mode="RELATIVE", export_normals=False)
