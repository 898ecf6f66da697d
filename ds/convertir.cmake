# Converts one model with meshpress without its console, as convertir.sh does, on every system
# CMake runs on (Windows included, where there is no POSIX shell):
#   cmake -DMODELE=model -DSORTIE=out.h [-DMESHPRESS=meshpress] -P convertir.cmake
# The answers are given as a file, from OUT.h's folder, so that the array is named after OUT.h's
# stem. When meshpress says erreur, its message is shown, OUT.h removed, and the script fails.
if(NOT MODELE OR NOT SORTIE)
  message(FATAL_ERROR "usage: cmake -DMODELE=model -DSORTIE=out.h [-DMESHPRESS=meshpress] -P convertir.cmake")
endif()
if(NOT MESHPRESS)
  set(MESHPRESS meshpress)
endif()
get_filename_component(modele "${MODELE}" ABSOLUTE)
get_filename_component(sortie "${SORTIE}" ABSOLUTE)
get_filename_component(dossier "${sortie}" DIRECTORY)
get_filename_component(nom "${sortie}" NAME_WLE)
file(MAKE_DIRECTORY "${dossier}")
set(reponses "${dossier}/${nom}.reponses")
file(WRITE "${reponses}" "${modele}\n${nom}\n")
execute_process(COMMAND "${MESHPRESS}" INPUT_FILE "${reponses}" WORKING_DIRECTORY "${dossier}"
                OUTPUT_VARIABLE transcription)
file(REMOVE "${reponses}")
# A conversion ends its transcript with the echoed name; erreur ends it otherwise.
string(LENGTH "${nom}.c" n)
string(LENGTH "${transcription}" t)
set(fin "")
if(t GREATER_EQUAL n)
  math(EXPR debut "${t} - ${n}")
  string(SUBSTRING "${transcription}" ${debut} ${n} fin)
endif()
if(NOT fin STREQUAL "${nom}.c")
  file(REMOVE "${sortie}")
  message(FATAL_ERROR "convertir.cmake: ${MODELE}: meshpress failed (erreur)")
endif()
# A list that is not there would be remade at every build.
if(NOT EXISTS "${sortie}")
  message(FATAL_ERROR "convertir.cmake: ${MODELE}: meshpress wrote no ${nom}.h")
endif()
