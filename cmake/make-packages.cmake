# cmake -DBUILD=<windows build> -DOUT=<folder> [-DNSIS=makensis] -P make-packages.cmake
# Lays out the program's folder from the build's install step, then packs it twice: the installer
# sweltra-<version>-setup.exe and the portable sweltra-<version>-windows.zip.
cmake_minimum_required(VERSION 3.25)
include(${BUILD}/packaging.cmake) # VERSION, FILE_VERSION, PUBLISHER, COPYRIGHT, SITE, ICON, NSI
set(folder ${OUT}/Sweltra)
file(REMOVE_RECURSE ${folder})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${folder} COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_QUIET)

# What the installer writes and its uninstaller removes, file by file, folders last.
file(GLOB_RECURSE files RELATIVE ${folder} ${folder}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(bytes 0)
foreach(file IN LISTS files)
  get_filename_component(sub "${file}" DIRECTORY)
  string(REPLACE "/" "\\" sub_win "${sub}")
  string(REPLACE "/" "\\" file_win "${file}")
  string(APPEND install "SetOutPath \"$INSTDIR\\${sub_win}\"\nFile \"${folder}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${file_win}\"\n")
  if(sub AND NOT sub IN_LIST folders)
    list(APPEND folders "${sub}")
  endif()
  file(SIZE ${folder}/${file} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
foreach(sub IN LISTS folders)
  string(REPLACE "/" "\\" sub_win "${sub}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${sub_win}\"\n")
endforeach()
file(WRITE ${OUT}/install-files.nsh "${install}")
file(WRITE ${OUT}/uninstall-files.nsh "${uninstall}")
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

if(NOT NSIS)
  set(NSIS makensis)
endif()
set(setup ${OUT}/sweltra-${VERSION}-setup.exe)
execute_process(COMMAND ${NSIS} -V2 -DOUT=${setup} -DFOLDER=${folder} -DFILES=${OUT}/install-files.nsh
                        -DUNFILES=${OUT}/uninstall-files.nsh -DVERSION=${VERSION} -DFILE_VERSION=${FILE_VERSION}
                        "-DPUBLISHER=${PUBLISHER}" "-DCOPYRIGHT=${COPYRIGHT}" -DSITE=${SITE} -DICON=${ICON}
                        -DSIZE_KB=${kilobytes} ${NSI}
                COMMAND_ERROR_IS_FATAL ANY)
set(zip ${OUT}/sweltra-${VERSION}-windows.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip Sweltra WORKING_DIRECTORY ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${setup} and ${zip} (${kilobytes} KB installed)")
