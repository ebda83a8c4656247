# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts under the prefix (GNUInstallDirs; /usr/local by
# default), and the Debian package that CPack makes of it (`cpack -G DEB`,
# installing under /usr).
#
#   bin/zelvaro
#   share/zelvaro/zelvaro.HLP                      the help file
#   share/zelvaro/zelvaro.en.HLP                   the English help file
#   share/applications/org.zelvaro.Zelvaro.desktop
#   share/icons/hicolor/{scalable,NxN}/apps/org.zelvaro.Zelvaro.{svg,png}
#   share/metainfo/org.zelvaro.Zelvaro.metainfo.xml
#   share/man/man1/zelvaro.1.gz
#   share/doc/zelvaro/{README.md,copyright,changelog.gz}
#   share/zelvaro/translations/zelvaro_en.qm      the English interface
#   share/zelvaro/sounds/*.wav                     the chimes and the alarm sound

set(ZELVARO_APP_ID org.zelvaro.Zelvaro)
set(ZELVARO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
set(_icon_svg ${CMAKE_SOURCE_DIR}/resources/icons/${ZELVARO_APP_ID}.svg)

# The fixed-size icons are rendered from the scalable one at build time.
add_executable(zelvaro_render_icon ${CMAKE_SOURCE_DIR}/resources/icons/render_icon.cpp)
target_link_libraries(zelvaro_render_icon PRIVATE Qt6::Gui)
set(_icon_pngs)
foreach(size ${ZELVARO_ICON_SIZES})
  set(_png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${ZELVARO_APP_ID}.png)
  add_custom_command(OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND zelvaro_render_icon ${_icon_svg} ${size} ${_png}
    DEPENDS zelvaro_render_icon ${_icon_svg}
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND _icon_pngs ${_png})
  install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

set(_man_gz ${CMAKE_BINARY_DIR}/zelvaro.1.gz)
add_custom_command(OUTPUT ${_man_gz}
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/resources/man/zelvaro.1 > ${_man_gz}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/man/zelvaro.1
  COMMENT "Compressing the manual page")
set(_changelog_gz ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${_changelog_gz}
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/resources/debian/changelog > ${_changelog_gz}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_target(zelvaro_install_files ALL DEPENDS ${_icon_pngs} ${_man_gz} ${_changelog_gz})

install(TARGETS zelvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/zelvaro.HLP ${CMAKE_BINARY_DIR}/zelvaro.en.HLP
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvaro)
install(FILES ${ZELVARO_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvaro/translations)
install(FILES ${ZELVARO_SOUND_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvaro/sounds)
install(FILES ${_desktop}/${ZELVARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_desktop}/${ZELVARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/resources/debian/copyright ${_changelog_gz}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# A stripped install (the package's) also drops the compiler's notes, which
# strip keeps.
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND objcopy --remove-section=.comment --remove-section=.note
                            "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/zelvaro"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "objcopy could not drop the .comment section")
    endif()
  endif()
]])

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zelvaro developers <zelvaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop clock that rotates the wallpaper and rings an alarm")
# CPack puts the summary first and indents these lines.
set(CPACK_PACKAGE_DESCRIPTION "A small borderless clock that stays on the X11 desktop: it changes the
wallpaper on a schedule (BMP, JPEG, GIF, TIFF, PNG, WebP, AVIF, HEIF,
JPEG XL and Photo CD pictures), plays time signals of its own or the
user's, rings an alarm with a scrolling picture, shows a month calendar
and the system's facts, and controls the screen saver. Its windows speak
English or Japanese, after the user's language.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelvaro.example.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries come from the linked ones (dpkg-shlibdeps); besides them the
# program needs the X11 platform plugin and the Wayland one (for a compositor
# without Xwayland), which the Qt libraries only
# recommend, the fonts its Japanese texts and its clock face are set in, and
# the HEIF/AVIF decoders (libheif with its HEVC decoder, libavif) and the JPEG XL decoder, which
# it loads by their sonames on the first such picture (dpkg-shlibdeps cannot
# see them).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-wayland, fonts-ipafont-gothic, fonts-liberation2, libheif1, libde265-0, libjxl0.7, libavif15")
# xdg-open starts the browser and the mail program from the about box;
# swaybg shows the wallpaper under Wayland compositors that have no other way.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "swaybg")
include(CPack)
