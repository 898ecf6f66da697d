# Converts one model with meshpress without its console, as convertir.sh does, on every system
# CMake runs on (Windows included, where there is no POSIX shell):
#   cmake -DMODELE=model -DSORTIE=out.h [-DMESHPRESS=meshpress] [-DOPTIONS="option..."] -P convertir.cmake
# SORTIE is out.h, or out.bin when the options hold --binaire. OPTIONS are meshpress's command
# line; a side file beside the model, its stem with .meshpress, gives the model's own in their
# place (its words; none when empty). The answers are given as a file, from the output's folder,
# so that the array is named after the output's stem; the model is named from there by its relative path, which holds no blank where the
# project's own folder does ("C:/Users/me/DS tools/"). When meshpress fails, its message is
# shown, OUT.h removed, and the script fails.
if(NOT MODELE OR NOT SORTIE)
  message(FATAL_ERROR "usage: cmake -DMODELE=model -DSORTIE=out.h [-DMESHPRESS=meshpress] [-DOPTIONS=\"option...\"] -P convertir.cmake")
endif()
if(NOT MESHPRESS)
  set(MESHPRESS meshpress)
endif()
get_filename_component(modele "${MODELE}" ABSOLUTE)
get_filename_component(sortie "${SORTIE}" ABSOLUTE)
get_filename_component(dossier "${sortie}" DIRECTORY)
get_filename_component(nom "${sortie}" NAME_WLE)
get_filename_component(fichier "${sortie}" NAME)
get_filename_component(cote "${modele}" DIRECTORY)
get_filename_component(tige "${modele}" NAME_WLE)
set(cote "${cote}/${tige}.meshpress")
if(EXISTS "${cote}")
  file(READ "${cote}" OPTIONS)
endif()
separate_arguments(options UNIX_COMMAND "${OPTIONS}")
# From another drive there is no relative path: the absolute one stays.
file(RELATIVE_PATH relatif "${dossier}" "${modele}")
# meshpress reads each answer as one word.
foreach(reponse IN ITEMS "${relatif}" "${nom}")
  if(reponse MATCHES "[ \t]")
    message(FATAL_ERROR "convertir.cmake: ${MODELE}: meshpress takes each name as one word, and "
                        "'${reponse}' holds a blank: rename the model or its folder without blanks")
  endif()
endforeach()
file(MAKE_DIRECTORY "${dossier}")
set(reponses "${dossier}/${nom}.reponses")
file(WRITE "${reponses}" "${relatif}\n${nom}\n")
execute_process(COMMAND "${MESHPRESS}" ${options} INPUT_FILE "${reponses}" WORKING_DIRECTORY "${dossier}"
                OUTPUT_QUIET RESULT_VARIABLE statut)
file(REMOVE "${reponses}")
if(NOT statut EQUAL 0)
  file(REMOVE "${sortie}")
  message(FATAL_ERROR "convertir.cmake: ${MODELE}: meshpress failed (erreur)")
endif()
# A list that is not there would be remade at every build.
if(NOT EXISTS "${sortie}")
  message(FATAL_ERROR "convertir.cmake: ${MODELE}: meshpress wrote no ${fichier}")
endif()
