# The Qt a Windows build links: a Qt of the user's own (SWELTRA_WINDOWS_QT), or the one packed in
# the shared folder beside the checkout, unpacked once into the build tree.
set(SWELTRA_WINDOWS_QT "" CACHE PATH "A Qt 6 for MinGW-w64 of your own (the folder holding lib/cmake/Qt6)")
if(DEFINED ENV{SWELTRA_SHARED_DIR})
  set(sweltra_shared "$ENV{SWELTRA_SHARED_DIR}")
else()
  get_filename_component(sweltra_shared "${PROJECT_SOURCE_DIR}/../shared" ABSOLUTE)
endif()
set(sweltra_qt_archive "${sweltra_shared}/qt-windows/qt6-base-6.4.2-mingw64.tar.xz")

if(SWELTRA_WINDOWS_QT)
  set(sweltra_qt "${SWELTRA_WINDOWS_QT}")
elseif(EXISTS "${sweltra_qt_archive}")
  set(sweltra_qt_unpacked "${PROJECT_BINARY_DIR}/_qt")
  set(sweltra_qt "${sweltra_qt_unpacked}/qt6-mingw64")
  file(SHA256 "${sweltra_qt_archive}" sweltra_qt_sum)
  set(stamp "${sweltra_qt_unpacked}/unpacked-${sweltra_qt_sum}")
  if(NOT EXISTS "${stamp}")
    message(STATUS "Unpacking ${sweltra_qt_archive}")
    file(REMOVE_RECURSE "${sweltra_qt_unpacked}")
    file(ARCHIVE_EXTRACT INPUT "${sweltra_qt_archive}" DESTINATION "${sweltra_qt_unpacked}")
    file(TOUCH "${stamp}")
  endif()
else()
  message(FATAL_ERROR "The Windows build needs a Qt 6 for MinGW-w64: either ${sweltra_qt_archive} "
                      "(the shared folder beside the checkout, or $SWELTRA_SHARED_DIR) or a Qt of your own "
                      "named with -DSWELTRA_WINDOWS_QT=<folder holding lib/cmake/Qt6>.")
endif()
if(NOT EXISTS "${sweltra_qt}/lib/cmake/Qt6/Qt6Config.cmake")
  message(FATAL_ERROR "${sweltra_qt} holds no lib/cmake/Qt6/Qt6Config.cmake: not a Qt 6 for Windows.")
endif()
list(PREPEND CMAKE_PREFIX_PATH "${sweltra_qt}")
list(PREPEND CMAKE_FIND_ROOT_PATH "${sweltra_qt}")
set(SWELTRA_WINDOWS_QT_DIR "${sweltra_qt}")

# The test programs and the build's tools run under Wine, in a prefix of the build tree's own,
# finding Qt's and MinGW's DLLs where they lie.
if(CMAKE_CROSSCOMPILING)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                  OUTPUT_VARIABLE sweltra_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                  OUTPUT_VARIABLE sweltra_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(sweltra_gcc_dlls "${sweltra_libstdcxx}" DIRECTORY)
  get_filename_component(sweltra_mingw_dlls "${sweltra_winpthread}" REALPATH)
  get_filename_component(sweltra_mingw_dlls "${sweltra_mingw_dlls}" DIRECTORY)
  set(SWELTRA_MINGW_DLL_DIRS "${sweltra_gcc_dlls}" "${sweltra_mingw_dlls}")
  list(JOIN SWELTRA_MINGW_DLL_DIRS ":" sweltra_dll_path)
  set(SWELTRA_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine-prefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/wine-run.sh;${SWELTRA_WINE_PREFIX};${sweltra_qt}/bin:${sweltra_dll_path};--")
endif()
