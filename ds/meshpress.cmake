# For a CMake project: include(meshpress.cmake), then meshpress_modeles(target folder). Every
# model of the folder (.txt and .obj) becomes a display-list file in the build folder, its array
# named after its stem, converted before target's sources compile and again when the model
# changes; a model meshpress cannot convert stops the build with its message. The display lists'
# folder and meshpress.h's join target's include path. MESHPRESS names the converter (meshpress
# on the PATH by default). Each conversion runs convertir.cmake: no shell is needed, on Windows
# either.
set(MESHPRESS_DS ${CMAKE_CURRENT_LIST_DIR})
function(meshpress_modeles cible dossier)
  if(NOT MESHPRESS)
    set(MESHPRESS meshpress)
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
  endforeach()
  target_sources(${cible} PRIVATE ${listes})
  target_include_directories(${cible} PRIVATE ${sortie} ${MESHPRESS_DS})
endfunction()
