# The folder a Windows user runs the program from: SweltraC.exe, the documents beside it, the
# plugins Qt loads for it (the windows platform, the Windows style, and JPEG for pictures in the
# documents; print support is in its DLL), and every DLL these import from Qt and MinGW's runtime.
install(TARGETS SweltraC RUNTIME DESTINATION .)
set(sweltra_plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll)
foreach(plugin IN LISTS sweltra_plugins)
  get_filename_component(folder ${plugin} DIRECTORY)
  install(FILES ${SWELTRA_WINDOWS_QT_DIR}/plugins/${plugin} DESTINATION ${folder})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# CMake's own dependency search folds the names to lower case and so misses them on Linux's file
# systems; the imports are read with objdump instead, one PE file after another.
install(CODE "
  cmake_policy(PUSH)
  cmake_policy(SET CMP0057 NEW)
  set(search \"${SWELTRA_WINDOWS_QT_DIR}/bin;${SWELTRA_MINGW_DLL_DIRS}\")
  set(pending \"\${CMAKE_INSTALL_PREFIX}/SweltraC.exe\")
  foreach(plugin ${sweltra_plugins})
    list(APPEND pending \"\${CMAKE_INSTALL_PREFIX}/\${plugin}\")
  endforeach()
  set(done)
  while(pending)
    list(POP_FRONT pending file)
    execute_process(COMMAND x86_64-w64-mingw32-objdump -p \${file} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL \"DLL Name: [^\\n]+\" names \"\${dump}\")
    foreach(line IN LISTS names)
      string(REGEX REPLACE \"DLL Name: \" \"\" name \"\${line}\")
      string(TOLOWER \"\${name}\" key)
      if(key IN_LIST done)
        continue()
      endif()
      list(APPEND done \${key})
      foreach(folder IN LISTS search)
        if(EXISTS \"\${folder}/\${name}\")
          file(INSTALL \"\${folder}/\${name}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
          # MinGW's runtime comes with its debugging symbols, two thirds of its size.
          execute_process(COMMAND x86_64-w64-mingw32-strip --strip-unneeded \"\${CMAKE_INSTALL_PREFIX}/\${name}\"
                          COMMAND_ERROR_IS_FATAL ANY)
          list(APPEND pending \"\${CMAKE_INSTALL_PREFIX}/\${name}\")
          break()
        endif()
      endforeach() # not found: one of Windows' own
    endforeach()
  endwhile()
  cmake_policy(POP)
")

# `cmake --build --preset windows --target packages`: the installer and the zip in packages/.
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/packaging.cmake CONTENT "set(VERSION ${PROJECT_VERSION})
set(FILE_VERSION ${SWELTRA_WINDOWS_VERSION}.0.0)
set(PUBLISHER \"Rudev\")
set(COPYRIGHT \"${SWELTRA_COPYRIGHT}\")
set(SITE ${SWELTRA_SITE_RUDEV})
set(ICON ${CMAKE_CURRENT_BINARY_DIR}/resources/SweltraC.ico)
set(NSI ${PROJECT_SOURCE_DIR}/packaging/windows/sweltra.nsi)
")
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DOUT=${CMAKE_BINARY_DIR}/packages
          -P ${PROJECT_SOURCE_DIR}/cmake/make-packages.cmake
  DEPENDS SweltraC sweltra_documents_copy VERBATIM USES_TERMINAL)
