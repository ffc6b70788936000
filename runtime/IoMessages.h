// Texts of I/O result codes. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>

// Text layer's own result codes.
enum : int32_t {
  kIoFileNotAssigned = 102,
  kIoFileNotOpen = 103,
  kIoNotOpenForInput = 104,
  kIoNotOpenForOutput = 105,
};

// The message for a pending I/O result: a fixed text for the codes users
// commonly meet, "I/O error N" for every other code.
std::string IoErrorText(int32_t code);
