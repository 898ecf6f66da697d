# For a CMake project: include(meshpress.cmake), then meshpress_modeles(target folder). Every
# model of the folder (.txt and .obj) becomes a display-list file in the build folder, its array
# named after its stem, converted before target's sources compile and again when the model
# changes; a model meshpress cannot convert stops the build with its message. Each .obj model's
# texture image (map_Kd) becomes stem_texture.h there too (meshpress-texture, named by
# MESHPRESS_TEXTURE: the array stem_texture[] in the DS's direct colour, for chargertexture),
# made again when the model or the image changes. The display lists'
# folder and meshpress.h's join target's include path. MESHPRESS names the converter (meshpress
# on the PATH by default). Each conversion runs convertir.cmake: no shell is needed, on Windows
# either.
set(MESHPRESS_DS ${CMAKE_CURRENT_LIST_DIR})
function(meshpress_modeles cible dossier)
  if(NOT MESHPRESS)
    set(MESHPRESS meshpress)
  endif()
  if(NOT MESHPRESS_TEXTURE)
    set(MESHPRESS_TEXTURE meshpress-texture)
  endif()
  set(sortie ${CMAKE_CURRENT_BINARY_DIR}/meshpress)
  file(GLOB modeles CONFIGURE_DEPENDS ${dossier}/*.txt ${dossier}/*.obj)
  set(listes "")
  foreach(modele ${modeles})
    get_filename_component(nom ${modele} NAME_WLE)
    add_custom_command(OUTPUT ${sortie}/${nom}.h
      COMMAND ${CMAKE_COMMAND} -DMODELE=${modele} -DSORTIE=${sortie}/${nom}.h -DMESHPRESS=${MESHPRESS}
              -P ${MESHPRESS_DS}/convertir.cmake
      DEPENDS ${modele} COMMENT "meshpress ${modele}" VERBATIM)
    list(APPEND listes ${sortie}/${nom}.h)
    if(modele MATCHES "\\.[oO][bB][jJ]$")
      add_custom_command(OUTPUT ${sortie}/${nom}_texture.h
        COMMAND ${CMAKE_COMMAND} -E make_directory ${sortie}
        COMMAND ${MESHPRESS_TEXTURE} ${modele} ${sortie}/${nom}_texture.h ${sortie}/${nom}_texture.d
        DEPENDS ${modele} DEPFILE ${sortie}/${nom}_texture.d
        COMMENT "meshpress-texture ${modele}" VERBATIM)
      list(APPEND listes ${sortie}/${nom}_texture.h)
    endif()
  endforeach()
  target_sources(${cible} PRIVATE ${listes})
  target_include_directories(${cible} PRIVATE ${sortie} ${MESHPRESS_DS})
endfunction()
