# Installing and packaging. `cmake --install` puts the programs in bin/ and
# the files they read in lib/tupalo/, where the editor finds them from the
# place of its own executable (nothing of the build folder is compiled in),
# and the desktop entry and the icon where the desktop looks for them. The
# editor writes nothing there: see platform/UserFolders.h.
#
# `cmake --build build --target package` (make package) makes the Debian
# package tupalo_<version>_<arch>.deb, its library dependencies computed by
# dpkg-shlibdeps.

# The program folder of an installed copy: lib/tupalo, since the add-in
# programs sit beside their parameter files there; share/tupalo serves a
# build without programs in it (the editor looks in both, relative to bin/).
set(TUPALO_INSTALL_DATADIR "lib/tupalo" CACHE STRING
    "Program folder of an installed copy, relative to the prefix: share/tupalo or lib/tupalo")
set_property(CACHE TUPALO_INSTALL_DATADIR PROPERTY STRINGS share/tupalo lib/tupalo)
if(NOT TUPALO_INSTALL_DATADIR MATCHES "^(share|lib)/tupalo$")
  message(FATAL_ERROR "TUPALO_INSTALL_DATADIR must be share/tupalo or lib/tupalo")
endif()

install(TARGETS tupalo RUNTIME DESTINATION bin)
install(FILES ${DATA_FILES} ${ADDIN_PACKAGES} DESTINATION ${TUPALO_INSTALL_DATADIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tupalo.desktop DESTINATION share/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/TUPA_ICON_${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tupalo.png)
endforeach()

# The launcher and the add-in programs are installed once every target is
# known, wherever in the build they are defined. An add-in program joins with
#   set_property(GLOBAL APPEND PROPERTY TUPALO_ADDIN_PROGRAMS <target>)
# and is installed into the program folder, beside the files that name it.
function(tupalo_install_programs)
  if(TARGET tuparun)
    install(TARGETS tuparun RUNTIME DESTINATION bin)
  endif()
  get_property(addins GLOBAL PROPERTY TUPALO_ADDIN_PROGRAMS)
  foreach(addin IN LISTS addins)
    install(TARGETS ${addin} RUNTIME DESTINATION ${TUPALO_INSTALL_DATADIR})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tupalo_install_programs)

# --- the Debian package ------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tupalo)
set(CPACK_PACKAGE_VENDOR "Tupalo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pixel-exact paint editor with a Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Tupalo edits BMP pictures and ICO icons pixel by pixel: points, lines,\n\
boxes, circles, polygons and Bezier lines, fills, colour change within a\n\
tolerance, mask pens, sprays and airbrushes, magnified editing, one-step\n\
undo and timed autosave. Its user interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tupalo developers <developers@tupalo.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a CJK font; Qt's own dialogs speak Japanese with its
# translations; the converter add-in reads WebP and TIFF with the extra image
# format plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk, qt6-translations-l10n, qt6-image-formats-plugins")
# The scanner add-in drives SANE's scanimage; without it no scanner is offered.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sane-utils")
# Only what the rules above install goes into the package (no test programs).
set(CPACK_STRIP_FILES ON)
include(CPack)
