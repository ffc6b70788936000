// The pending I/O result: guarded file operations store a failure code here
// instead of raising, and the I/O check that follows each of them raises.
#pragma once

#include <cstdint>

// Current pending result; 0 means no failure is pending.
int32_t IoResult();
void SetIoResult(int32_t code);

// Raises EInOutError for a pending result and clears it; does nothing for 0.
void IoCheck();
