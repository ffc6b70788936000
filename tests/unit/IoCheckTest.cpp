// The I/O check and its message table.
#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/IoMessages.h"
#include "runtime/IoResult.h"

namespace {

TEST(IoCheck, MessageTable) {
  const struct {
    int code;
    const char *text;
  } table[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {32, "I/O error 32"},
      {21, "I/O error 21"},
      {102, "I/O error 102"},
      {105, "I/O error 105"},
      {-1, "I/O error -1"},
  };
  for (const auto &row : table) {
    SetIoResult(row.code);
    try {
      IoCheck();
      ADD_FAILURE() << "code " << row.code << " raised nothing";
    } catch (const EInOutError &e) {
      EXPECT_EQ(e.Message(), row.text);
      EXPECT_EQ(e.Code(), row.code);
      EXPECT_STREQ(e.ClassName(), "EInOutError");
    }
    EXPECT_EQ(IoResult(), 0);
  }
}

TEST(IoCheck, NothingPendingRaisesNothing) {
  SetIoResult(0);
  EXPECT_NO_THROW(IoCheck());
  SetIoResult(5);
  EXPECT_THROW(IoCheck(), EInOutError);
  EXPECT_NO_THROW(IoCheck()) << "a raised result is not raised twice";
}

} // namespace
