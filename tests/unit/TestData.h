// Where the data made at test time lives, as paths the program under test
// can open.
#pragma once

#include <string>

// The folder of the rar-made sets and their originals (fixture "archives").
// INSTALLER_TEST_DATA is a host path; under Wine it is given in its DOS
// form (Z:\...).
std::string ArchivesFolder();
