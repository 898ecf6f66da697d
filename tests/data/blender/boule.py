# Makes the example DS program's lit model with Blender's own exporter (not run by the tests; the
# files it writes are committed): blender -b --factory-startup --python boule.py -- OUTDIR
# A UV sphere shaded smooth (its normals written as vn) with a colour per vertex, from orange at
# its top to pink at its bottom (written as v x y z r g b), and a material of the colour between
# them (its Kd). Blender's default axes (forward -Z, up Y): OBJ (x, y, z) = Blender (x, z, -y):
# the sphere stands below Blender's sign (tests/data/blender), 6 units in front of the
# animator's start camera, below its eye height (4 units, 0.4 at the animator's tenth).
import bpy
import os
import sys

sortie = sys.argv[sys.argv.index("--") + 1]
os.makedirs(sortie, exist_ok=True)
bpy.ops.object.select_all(action="SELECT")
bpy.ops.object.delete()
bpy.ops.mesh.primitive_uv_sphere_add(segments=24, ring_count=12, radius=0.55, location=(0, 6, 2.3))
boule = bpy.context.active_object
boule.name = boule.data.name = "boule"
bpy.ops.object.shade_smooth()
couleurs = boule.data.color_attributes.new("couleur", "FLOAT_COLOR", "POINT")
for v in boule.data.vertices:
    t = (v.co.z + 0.55) / 1.1
    couleurs.data[v.index].color = (1.0, 0.2 + 0.6 * t, 0.6 - 0.5 * t, 1.0)
matiere = bpy.data.materials.new("boule")
matiere.diffuse_color = (1.0, 0.5, 0.35, 1.0)
boule.data.materials.append(matiere)
bpy.ops.wm.obj_export(filepath=os.path.join(sortie, "boule.obj"), export_uv=False, export_normals=True,
                      export_colors=True, export_materials=True)
