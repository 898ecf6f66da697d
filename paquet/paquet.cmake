# The packages `cpack` makes from the install rules: on Linux a Debian package (meshpress, with
# stagehand, the DS header, the preview and the manual pages), on Windows a zip of both programs.
set(CPACK_PACKAGE_NAME meshpress)
set(CPACK_PACKAGE_CONTACT "meshpress developers <meshpress@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D models to Nintendo DS display lists, posed and previewed")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME meshpress-${PROJECT_VERSION}-windows-x86_64)
  include(CPack)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The programs' libraries as dpkg-shlibdeps finds them; what the scripts run, by hand. The
# preview's tools are only recommended: the converter and the animator work without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gcc-arm-none-eabi, binutils-arm-none-eabi, gcc, desmume, xvfb, xauth, xdotool, x11-apps, netpbm, gifsicle")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "make | cmake")
# The synopsis comes first: CPack puts CPACK_PACKAGE_DESCRIPTION_SUMMARY there.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "meshpress converts a Wavefront OBJ model (what Blender exports) or a text model
file into a display-list source file: C text defining one u32 array that a
Nintendo DS program built with libnds sends to the geometry engine.
meshpress-texture writes the model's texture image in the DS's direct colour,
as C. stagehand loads the display lists in an OpenGL window, lets the user move
the camera and place and turn each object, and writes a keyframe file (a C
function) per object. meshpress-apercu shows the files as the DS draws them,
in the DeSmuME emulator. The package also holds meshpress.h for DS programs and
the fragments that convert a DS project's models in its Makefile or CMake
build.")

# Debian's own files: the copyright, and the changelog compressed as Debian compresses it.
add_custom_command(OUTPUT changelog.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
