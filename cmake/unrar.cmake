# unrar.dll from Debian's UnRAR source (package unrar-nonfree), built with the
# same cross compiler as the program. scripts/setup unpacks the source outside
# the repository; this file only reads it (objects go to the build tree).
#
# Target `unrar`: SHARED, file ${CMAKE_BINARY_DIR}/bin/unrar.dll, exporting
# the calls of dll.def by their plain names (RAROpenArchive, not
# _RAROpenArchive@4), statically linked so that it imports only the
# platform's known DLLs (loaded from the system folder whatever lies beside it).

set(UNRAR_SOURCE_DIR /var/cache/installer-build/unrar-src CACHE PATH
  "Unpacked UnRAR source (Debian's unrar-nonfree), made by scripts/setup")

if(NOT EXISTS ${UNRAR_SOURCE_DIR}/dll.def OR NOT EXISTS ${UNRAR_SOURCE_DIR}/makefile)
  message(FATAL_ERROR
    "UnRAR source not found in ${UNRAR_SOURCE_DIR} (no dll.def or makefile).\n"
    "Run scripts/setup (as root) to fetch it with apt-get source unrar-nonfree, "
    "or point UNRAR_SOURCE_DIR at an unpacked copy.")
endif()

# The objects of the makefile's `lib` target (OBJECTS and LIB_OBJ), read from
# the makefile itself so that another UnRAR version brings its own list.
file(READ ${UNRAR_SOURCE_DIR}/makefile _unrar_makefile)
string(REGEX REPLACE "\\\\\r?\n" " " _unrar_makefile "${_unrar_makefile}")
set(_unrar_sources)
foreach(_var OBJECTS LIB_OBJ)
  if(NOT _unrar_makefile MATCHES "\n${_var}[ \t]*=([^\n]*)")
    message(FATAL_ERROR "unrar.cmake: no ${_var}= line in ${UNRAR_SOURCE_DIR}/makefile")
  endif()
  string(REGEX MATCHALL "[A-Za-z0-9_]+\\.o" _objs "${CMAKE_MATCH_1}")
  foreach(_o IN LISTS _objs)
    string(REGEX REPLACE "\\.o$" ".cpp" _src "${_o}")
    list(APPEND _unrar_sources ${UNRAR_SOURCE_DIR}/${_src})
  endforeach()
endforeach()
# Windows only: version checks (WinNT(), IsWindows11OrGreater()).
list(APPEND _unrar_sources ${UNRAR_SOURCE_DIR}/isnt.cpp)
list(REMOVE_DUPLICATES _unrar_sources)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${UNRAR_SOURCE_DIR}/makefile)

add_library(unrar SHARED
  ${_unrar_sources}
  ${UNRAR_SOURCE_DIR}/dll.def
  # _com_util::ConvertStringToBSTR, which MinGW-w64 has in no library.
  ${CMAKE_CURRENT_LIST_DIR}/unrar-compat/comsupp.cpp
  # SetSuspendState from the system folder at run time: no powrprof import.
  ${CMAKE_CURRENT_LIST_DIR}/unrar-compat/SuspendState.cpp)

set_target_properties(unrar PROPERTIES
  PREFIX ""
  OUTPUT_NAME unrar
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  # The import library is of no use: the program loads the DLL at run time.
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# Third-party code with its own flags: none of our warnings (-w), the
# library's DLL define; os.hpp sets UNICODE, SILENT and RAR_SMP for Windows.
target_compile_options(unrar PRIVATE -w)
target_compile_definitions(unrar PRIVATE RARDLL)
# Forwarding headers for <PowrProf.h> and <Wbemidl.h> (MinGW's are lower case),
# searched before the compiler's own.
target_include_directories(unrar BEFORE PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/unrar-compat ${UNRAR_SOURCE_DIR})

# dll.def names the calls without stdcall decoration; --enable-stdcall-fixup
# binds each to its RAROpenArchive@4 symbol. Symbols stripped but in Debug.
target_link_options(unrar PRIVATE -static -Wl,--enable-stdcall-fixup
  $<$<NOT:$<CONFIG:Debug>>:-s>)
target_link_libraries(unrar PRIVATE
  ole32 oleaut32 wbemuuid shlwapi uuid)
