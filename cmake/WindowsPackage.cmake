# The Windows program's folder, as `cmake --install` lays it out, and the installer `cpack -G NSIS`
# builds from it (tools/build-windows.sh makes both, and the portable zip from the same folder).
# Everything sits beside veyra-setup.exe, where Qt looks for its plugins first.
install(TARGETS veyra-setup RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> $<TARGET_FILE:Qt6::Svg>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
              # The headless platform, for tests under Wine and anyone running without a display.
              $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
        DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QSvgPlugin> DESTINATION imageformats)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# Qt's DLLs link the MinGW runtime as DLLs; they come from the compiler that built Qt and us.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${runtime}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${runtime} not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  install(FILES "${path}" DESTINATION .)
endforeach()

# Qt's own texts in Russian (Debian: qt6-translations-l10n, made for the same Qt 6.4), where the
# program looks first (ui/Translation.cpp).
find_file(VEYRA_QTBASE_RU qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VEYRA_QTBASE_RU)
  message(FATAL_ERROR "qtbase_ru.qm not found: install qt6-translations-l10n (tools/install-deps.sh)")
endif()
install(FILES "${VEYRA_QTBASE_RU}" DESTINATION translations)

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
