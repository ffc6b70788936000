#include "runtime/IoResult.h"

#include "runtime/Exception.h"
#include "runtime/IoMessages.h"

namespace {
// The program has one thread; the result still belongs to the thread that
// stored it.
thread_local int32_t pending = 0;
} // namespace

int32_t IoResult() {
  return pending;
}

void SetIoResult(int32_t code) {
  pending = code;
}

void IoCheck() {
  int32_t code = pending;
  if (code == 0)
    return;
  EInOutError error(IoErrorText(code), code);
  pending = 0;
  throw error;
}
