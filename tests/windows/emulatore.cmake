# Windows programs built here run under Wine: a wrapper that knows the prefix and
# where the DLLs are is the emulator of every test program.
set(QUIRLO_WINEPREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "Wine prefix the Windows tests run in")
find_program(QUIRLO_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(QUIRLO_WINE NAMES wine64 wine)
if(NOT QUIRLO_WINE)
  message(FATAL_ERROR "wine64 not found (Debian package wine64)")
endif()
# Windows paths on Wine's Z: drive (the whole Linux file system).
get_filename_component(quirlo_qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE quirlo_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE quirlo_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(quirlo_libstdcxx "${quirlo_libstdcxx}" DIRECTORY)
get_filename_component(quirlo_winpthread "${quirlo_winpthread}" DIRECTORY)
set(quirlo_percorsi "")
foreach(d ${quirlo_qt_bin} ${quirlo_libstdcxx} ${quirlo_winpthread})
  get_filename_component(d "${d}" ABSOLUTE)
  string(REPLACE "/" "\\" d "Z:${d}")
  string(APPEND quirlo_percorsi "${d}|")
endforeach()
string(REPLACE "|" ";" QUIRLO_WINEPATH "${quirlo_percorsi}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine.sh.in ${CMAKE_BINARY_DIR}/wine.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine.sh)
