# Flags of the native build of the core. Under the sanitizers every report
# ends the process (no recovery), so a test or fuzz run that hits one fails.
option(INSTALLER_SANITIZE "Native build with AddressSanitizer and UBSan" ON)
if(INSTALLER_SANITIZE)
  set(INSTALLER_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${INSTALLER_SANITIZERS} -fno-omit-frame-pointer)
  add_link_options(${INSTALLER_SANITIZERS})
endif()

# libFuzzer comes with clang; the fuzzers need the sanitizers to find faults.
if(INSTALLER_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(INSTALLER_FUZZERS ON)
else()
  set(INSTALLER_FUZZERS OFF)
  message(STATUS "No fuzzers: they need clang and INSTALLER_SANITIZE")
endif()
