// Text to integer conversion: the accepted forms, the 32-bit limits and the
// message that names the rejected text.
#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/StrToInt.h"

namespace {

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

TEST(StrToInt, TryGivesTheSameAnswerWithoutRaising) {
  const struct {
    const char *text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"12", true, 12},
      {"$80000000", true, INT32_MIN},
      {"-$80000000", false, 0},
      {"-$7FFFFFFF", true, -INT32_MAX},
      {"0x", false, 0},
      {"+", false, 0},
      {"99999999999999999999", false, 0},
      {"$0000000000000001", true, 1},
  };
  for (const auto &c : cases) {
    int32_t value = 77;
    EXPECT_EQ(TryStrToInt(c.text, &value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : 77) << c.text << ": untouched when rejected";
  }
}

} // namespace
