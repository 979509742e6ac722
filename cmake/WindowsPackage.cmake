# The Windows program's folder, as `cmake --install` lays it out, and the installer `cpack -G NSIS`
# builds from it (tools/build-windows.sh makes both, and the portable zip from the same folder).
# Everything sits beside veyra-setup.exe, where Qt looks for its plugins first.
# What a Qt program needs beside it, folder by folder ("." is the program's own).
set(veyra_runtime_dirs . platforms imageformats styles)
set(veyra_runtime_. $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> $<TARGET_FILE:Qt6::Svg>)
set(veyra_runtime_platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    # The headless platform, for tests under Wine and anyone running without a display.
    $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
set(veyra_runtime_imageformats $<TARGET_FILE:Qt6::QSvgPlugin>)
set(veyra_runtime_styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
# Qt's DLLs link the MinGW runtime as DLLs; they come from the compiler that built Qt and us.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${runtime}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${runtime} not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND veyra_runtime_. "${path}")
endforeach()
# Qt's own texts in Russian (Debian: qt6-translations-l10n, made for the same Qt 6.4), where the
# program looks first (ui/Translation.cpp).
find_file(VEYRA_QTBASE_RU qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VEYRA_QTBASE_RU)
  message(FATAL_ERROR "qtbase_ru.qm not found: install qt6-translations-l10n (tools/install-deps.sh)")
endif()
list(APPEND veyra_runtime_dirs translations)
set(veyra_runtime_translations "${VEYRA_QTBASE_RU}")

install(TARGETS veyra-setup RUNTIME DESTINATION .)
# The same files beside the programs in the build folder, where veyra-setup.exe and the GUI tests
# run under Wine straight from the build.
set(veyra_copies)
foreach(dir IN LISTS veyra_runtime_dirs)
  install(FILES ${veyra_runtime_${dir}} DESTINATION ${dir})
  list(APPEND veyra_copies COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/${dir}"
       COMMAND "${CMAKE_COMMAND}" -E copy_if_different ${veyra_runtime_${dir}} "${CMAKE_BINARY_DIR}/${dir}")
endforeach()
add_custom_target(veyra_windows_runtime ${veyra_copies} VERBATIM)
add_dependencies(veyra-setup veyra_windows_runtime)
if(TARGET veyra_gui_tests)
  add_dependencies(veyra_gui_tests veyra_windows_runtime)
  add_dependencies(veyra_unit_tests veyra_windows_runtime)
endif()


# --strip (and CPack) strip the program; the DLLs copied above arrive with their symbols, the
# MinGW runtime's three times its stripped size.
install(CODE "set(veyra_strip \"${CMAKE_STRIP}\")")
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE veyra_dlls "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
    execute_process(COMMAND "${veyra_strip}" --strip-unneeded ${veyra_dlls} COMMAND_ERROR_IS_FATAL ANY)
  endif()
]])

set(CPACK_PACKAGE_NAME veyra-setup)
set(CPACK_PACKAGE_VENDOR "veyra-setup maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure a 3G/GSM video alarm host over a serial port")
set(CPACK_PACKAGE_FILE_NAME "veyra-setup-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY veyra-setup)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY veyra-setup)
# The Start menu's entry for the program; the template adds one for the uninstaller.
set(CPACK_PACKAGE_EXECUTABLES veyra-setup veyra-setup)
set(CPACK_STRIP_FILES ON)

# For all users, into the 64-bit Program Files: a 64-bit installer (our copy of CPack's template
# says so at its top), which asks for administrator rights.
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_SOURCE_DIR}/cmake/windows")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME veyra-setup)
# Apps & features: the name, the icon, the publisher.
set(CPACK_NSIS_DISPLAY_NAME veyra-setup)
set(CPACK_NSIS_INSTALLED_ICON_NAME veyra-setup.exe)
set(CPACK_NSIS_MUI_ICON "${CMAKE_SOURCE_DIR}/data/veyra-setup.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_SOURCE_DIR}/data/veyra-setup.ico")
# CPack's default licence page would show CMake's own licence.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_GENERATOR NSIS)
include(CPack)
