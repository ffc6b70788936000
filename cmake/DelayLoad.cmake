# System DLLs that nothing before the splash window needs, loaded on their
# first call instead of at process start, where every mapped DLL costs time
# (much of it under Wine). Each .def in cmake/delay-load/ names the calls the
# program makes into one DLL; dlltool turns it into a delay-import library
# of the DLL's usual name, found first by the targets given to
# installer_delay_load(). The loader's helper comes with MinGW-w64's runtime.

if(NOT WIN32)
  function(installer_delay_load target)
  endfunction()
  return()
endif()

find_program(INSTALLER_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool dlltool REQUIRED)
set(_delay_dir ${CMAKE_BINARY_DIR}/delay-load)
file(GLOB _delay_defs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/delay-load/*.def)
set(_delay_libs)
foreach(def IN LISTS _delay_defs)
  get_filename_component(dll ${def} NAME_WE)
  add_custom_command(
    OUTPUT ${_delay_dir}/lib${dll}.a
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_delay_dir}
    COMMAND ${INSTALLER_DLLTOOL} --input-def ${def} --kill-at --output-delaylib ${_delay_dir}/lib${dll}.a
    DEPENDS ${def}
    VERBATIM)
  list(APPEND _delay_libs ${_delay_dir}/lib${dll}.a)
endforeach()
add_custom_target(delay_load_libraries DEPENDS ${_delay_libs})

function(installer_delay_load target)
  add_dependencies(${target} delay_load_libraries)
  target_link_directories(${target} BEFORE PRIVATE ${_delay_dir})
endfunction()
