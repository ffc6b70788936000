# The portable byte logic: nothing here includes windows.h, so the same
# sources build for Windows (linked into the runtime) and for the host
# (native tests and fuzzers). Headers are included from the source root,
# as "runtime/StrToInt.h" and so on.
add_library(installer_core STATIC
  ${PROJECT_SOURCE_DIR}/runtime/Crc32.cpp
  ${PROJECT_SOURCE_DIR}/runtime/Exception.cpp
  ${PROJECT_SOURCE_DIR}/runtime/HexText.cpp
  ${PROJECT_SOURCE_DIR}/runtime/StrToInt.cpp
  ${PROJECT_SOURCE_DIR}/runtime/TextLineReader.cpp
  ${PROJECT_SOURCE_DIR}/release/InstallIniMap.cpp
  ${PROJECT_SOURCE_DIR}/extract/ExtractTexts.cpp
  ${PROJECT_SOURCE_DIR}/extract/PacedView.cpp
  ${PROJECT_SOURCE_DIR}/folders/FolderPath.cpp
  ${PROJECT_SOURCE_DIR}/installation/InstallationRecord.cpp
  ${PROJECT_SOURCE_DIR}/installation/ProgramListEntry.cpp
  ${PROJECT_SOURCE_DIR}/installation/StagingArea.cpp
  ${PROJECT_SOURCE_DIR}/registry/RegFileReader.cpp
  ${PROJECT_SOURCE_DIR}/registry/RegistryPriorState.cpp
  ${PROJECT_SOURCE_DIR}/registry/RegistryValue.cpp
  ${PROJECT_SOURCE_DIR}/release/RegistryFileText.cpp
  ${PROJECT_SOURCE_DIR}/removal/RemovalPlan.cpp
  ${PROJECT_SOURCE_DIR}/unattended/CommandLine.cpp
)
target_include_directories(installer_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(installer_core PRIVATE ${INSTALLER_WARNINGS} ${INSTALLER_SIZE_FLAGS})
