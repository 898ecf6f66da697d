# For a CMake project: include(meshpress.cmake), then
#   meshpress_modeles(target folder [OPTIONS option...] [BINAIRES folder]). Every
# model of the folder (.txt and .obj) becomes a display-list file in the build folder, its array
# named after its stem, converted before target's sources compile and again when the model
# changes; a model meshpress cannot convert stops the build with its message. Each .obj model's
# texture image (map_Kd) becomes stem_texture.h there too (meshpress-texture, named by
# MESHPRESS_TEXTURE: the array stem_texture[] in the DS's direct colour, for chargertexture),
# made again when the model or the image changes. The display lists'
# folder and meshpress.h's join target's include path. MESHPRESS names the converter (meshpress
# on the PATH by default). Each conversion runs convertir.cmake: no shell is needed, on Windows
# either. OPTIONS are meshpress's options for every model of the folder (none: today's lists); a
# side file beside a model, its stem with .meshpress (models/cube.meshpress), holds that model's
# own in their place (its words; none when empty): a side file added, changed or removed
# converts its model again. A model whose options hold --binaire becomes stem.bin, in the BINAIRES folder
# (the display lists' by default), for the program to embed or put in its NitroFS.
set(MESHPRESS_DS ${CMAKE_CURRENT_LIST_DIR})
function(meshpress_modeles cible dossier)
  cmake_parse_arguments(PARSE_ARGV 2 meshpress "" "BINAIRES" "OPTIONS")
  if(NOT MESHPRESS)
    set(MESHPRESS meshpress)
  endif()
  if(NOT MESHPRESS_TEXTURE)
    set(MESHPRESS_TEXTURE meshpress-texture)
  endif()
  set(sortie ${CMAKE_CURRENT_BINARY_DIR}/meshpress)
  if(NOT meshpress_BINAIRES)
    set(meshpress_BINAIRES ${sortie})
  endif()
  # The side files are globbed too, so that a new one configures again.
  file(GLOB modeles CONFIGURE_DEPENDS ${dossier}/*.txt ${dossier}/*.obj)
  file(GLOB cotes CONFIGURE_DEPENDS ${dossier}/*.meshpress)
  set(listes "")
  foreach(modele ${modeles})
    get_filename_component(nom ${modele} NAME_WLE)
    # The side file's options name the list (.bin or .h): read when CMake configures, which a
    # change of the file brings about.
    set(cote ${dossier}/${nom}.meshpress)
    set(siens ${meshpress_OPTIONS})
    if(EXISTS ${cote})
      file(READ ${cote} siens)
      separate_arguments(siens UNIX_COMMAND "${siens}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${cote})
    else()
      unset(cote)
    endif()
    # The model's options on the command line: a side file changed or removed changes it, and
    # the model is converted again.
    string(JOIN " " options ${siens})
    if("--binaire" IN_LIST siens)
      set(liste ${meshpress_BINAIRES}/${nom}.bin)
    else()
      set(liste ${sortie}/${nom}.h)
    endif()
    add_custom_command(OUTPUT ${liste}
      COMMAND ${CMAKE_COMMAND} -DMODELE=${modele} -DSORTIE=${liste} -DMESHPRESS=${MESHPRESS}
              "-DOPTIONS=${options}" -P ${MESHPRESS_DS}/convertir.cmake
      DEPENDS ${modele} ${cote} COMMENT "meshpress ${modele}" VERBATIM)
    list(APPEND listes ${liste})
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
