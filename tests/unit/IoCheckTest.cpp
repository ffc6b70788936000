// The I/O check and its message table; text to integer conversion.
#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/IoMessages.h"
#include "runtime/IoResult.h"
#include "runtime/StrToInt.h"

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

TEST(StrToInt, AcceptedForms) {
  const struct {
    const char *text;
    int32_t value;
  } ok[] = {
      {"0", 0},
      {"42", 42},
      {"  42", 42},
      {"+7", 7},
      {"-7", -7},
      {"$1F", 31},
      {"$ff", 255},
      {"0x10", 16},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"007", 7},
  };
  for (const auto &c : ok)
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectedFormsNameTheText) {
  const char *bad[] = {"",           " ",       "42 ", "4 2", "x",          "12abc",
                       "-",          "$",       "$G",  "--1", "2147483648", "-2147483649",
                       "$100000000", "Label10", "1.5", "\t5"};
  for (const char *text : bad) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError &e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
  }
}

} // namespace
