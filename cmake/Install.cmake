# What `cmake --install` puts under the prefix, and the .deb that `cpack -G DEB` builds from it.
include(GNUInstallDirs)

set(veyra_programs veyractl veyra-hostsim)
if(VEYRA_GUI)
  list(PREPEND veyra_programs veyra-setup)
endif()
# Everything they link outside the system is static: no RPATH (qt_standard_project_setup() would
# ask for $ORIGIN/../lib, which a binary without any RPATH cannot take at install).
set_target_properties(${veyra_programs} PROPERTIES INSTALL_RPATH "")
install(TARGETS ${veyra_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The pages carry the version from project(); Debian wants them compressed, without a time stamp.
set(veyra_man_pages)
foreach(program IN LISTS veyra_programs)
  set(page "${CMAKE_BINARY_DIR}/man/${program}.1")
  configure_file("${CMAKE_SOURCE_DIR}/docs/man/${program}.1" "${page}" @ONLY)
  add_custom_command(OUTPUT "${page}.gz" COMMAND gzip -9nc "${page}" > "${page}.gz"
                     DEPENDS "${CMAKE_SOURCE_DIR}/docs/man/${program}.1" VERBATIM)
  list(APPEND veyra_man_pages "${page}.gz")
endforeach()
add_custom_target(veyra_man_pages ALL DEPENDS ${veyra_man_pages})
install(FILES ${veyra_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES data/veyractl.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME veyractl)

if(VEYRA_GUI)
  # The release date belongs to the version: set both together at a release.
  set(VEYRA_RELEASE_DATE 2026-12-06)
  configure_file(data/org.veyra.setup.metainfo.xml.in "${CMAKE_BINARY_DIR}/data/org.veyra.setup.metainfo.xml" @ONLY)
  install(FILES data/org.veyra.setup.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The picture the windows carry (ui/resources), so that the menu shows the icon the window has.
  install(FILES ui/resources/icons/app.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME veyra-setup.svg)
  install(FILES "${CMAKE_BINARY_DIR}/data/org.veyra.setup.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Chinese error texts need a CJK font; Qt's own dependencies bring only Latin and Cyrillic ones.
set(VEYRA_CJK_FONT_PACKAGE fonts-wqy-microhei)

set(CPACK_PACKAGE_NAME veyra-setup)
set(CPACK_PACKAGE_VENDOR "veyra-setup maintainers")
set(CPACK_PACKAGE_CONTACT "veyra-setup maintainers <maintainers@users.noreply.c-seed-c4615623.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure a 3G/GSM video alarm host over a serial port")
# CPack puts the summary above this as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "veyra-setup finds the alarm host on one of the PC's serial ports, logs in with
the host's four-digit password, and reads and changes its settings and
records: system setup, password and clock, arming, timed schedules, alarm
telephone numbers, alarm history, wireless sensors, smart-home codes and MMS
settings. veyractl does the same from scripts; veyra-hostsim is a simulated
host on a pseudo-terminal.
.
Opening a serial device needs membership of the dialout group:
sudo usermod -aG dialout $USER, then log in again.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every picture is an SVG drawn by Qt's SVG image plugin, loaded at run time, so the shared-library
# scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VEYRA_CJK_FONT_PACKAGE}, libqt6svg6")
# Qt's own Russian texts, loaded in a Russian locale; without them Qt's buttons stay English. The
# program's English catalogue is compiled into it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)
