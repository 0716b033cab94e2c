# The Windows installer (NSIS) and portable zip, made by CPack from the install rules: the programs
# (installed by their folders), and here what they load beside them: the Qt DLLs, the platform
# and style plugins, the MinGW runtime, Qt's qt.conf and Qt's own Chinese catalogue.
# cpack --preset windows (scripts/package_windows.sh) makes both.

set(VOR_QT_DLLS Qt6Core Qt6Gui Qt6Widgets Qt6SerialPort Qt6Charts)
list(TRANSFORM VOR_QT_DLLS PREPEND ${VOR_QT_WINDOWS_BIN}/)
list(TRANSFORM VOR_QT_DLLS APPEND .dll)
install(FILES ${VOR_QT_DLLS} ${VOR_MINGW_RUNTIME_DLLS} DESTINATION .)
install(FILES ${VOR_QT_WINDOWS_PLUGINS}/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${VOR_QT_WINDOWS_PLUGINS}/styles/qwindowsvistastyle.dll DESTINATION styles)
# Qt finds its plugins and translations beside the programs, not where it was built.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/qt.conf DESTINATION .)
# Qt's translations of its standard buttons and file dialogs are data, the same on every system:
# Debian's (qt6-translations-l10n), when they are there.
set(VOR_QT_TRANSLATIONS /usr/share/qt6/translations/qtbase_zh_CN.qm)
if(EXISTS ${VOR_QT_TRANSLATIONS})
  install(FILES ${VOR_QT_TRANSLATIONS} DESTINATION translations)
endif()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME vor-user)
set(CPACK_PACKAGE_VENDOR "VOR User developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configure and watch a brushless motor controller over a serial line")
set(CPACK_PACKAGE_FILE_NAME vor-user-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VOR User")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "VOR User")
set(CPACK_NSIS_PACKAGE_NAME "VOR User")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_VOR_NSIS_ICON ${PROJECT_SOURCE_DIR}/resources/art/icon.ico)
# The installer's own template (per user, no administrator), which CPack fills in; it looks for it
# on its module path.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
# The zip unpacks into one folder named as the file.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
