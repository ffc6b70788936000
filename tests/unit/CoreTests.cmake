# Unit tests of the portable core (cmake/core.cmake). The same files run in
# both builds: natively under the sanitizers, and under Wine in the Windows
# build, so the two compilers must agree on every case.
set(INSTALLER_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExtractTextsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderPathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallIniMapTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallationRecordTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PacedViewTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramListEntryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegFileReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryFileTextTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryPriorStateTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RemovalPlanTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StagingAreaTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrToIntTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLineReaderTest.cpp
)
