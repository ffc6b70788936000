// The line rules of text files (CR ends a line, one LF after it is skipped,
// 0x1A ends the file) on bytes from memory, with every buffer and block
// size that can split a line end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemorySource.h"
#include "runtime/TextLineReader.h"

namespace {

struct Reading {
  std::vector<std::string> lines; // read while not at the end
  std::string afterEnd;           // one more read past the end
};

Reading ReadAll(MemorySource &source, size_t bufferSize) {
  TextLineReader reader(source, bufferSize);
  Reading r;
  int32_t error = 0;
  while (!reader.AtEnd(&error)) {
    std::string line;
    EXPECT_TRUE(reader.ReadLine(&line, &error));
    r.lines.push_back(line);
  }
  EXPECT_TRUE(reader.ReadLine(&r.afterEnd, &error));
  EXPECT_EQ(error, 0);
  return r;
}

// Reader buffer and source block sizes: a line end may fall on any boundary.
const struct {
  size_t buffer, block;
} kSizes[] = {{4096, 4096}, {1, 4096}, {2, 4096}, {3, 4096}, {4096, 1}, {4096, 3}, {5, 2}};

TEST(TextLineReader, LineEndsFollowTheCarriageReturnRules) {
  struct Case {
    const char *name;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"CRLF", "one\r\ntwo\r\n", {"one", "two"}},
      {"no final break", "one\r\ntwo", {"one", "two"}},
      {"LF only is one line", "one\ntwo\nthree\n", {"one\ntwo\nthree\n"}},
      {"CR only", "one\rtwo\r", {"one", "two"}},
      {"CR CR LF", "one\r\r\ntwo", {"one", "", "two"}},
      {"LF before CR stays", "a\n\rb", {"a\n", "b"}},
      {"CR LF LF", "a\r\n\nb", {"a", "\nb"}},
      {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
      {"trailing blanks kept", "  pad  \r\n", {"  pad  "}},
      {"1A ends the file", "one\r\ntw\x1Ao\r\nthree\r\n", {"one", "tw"}},
      {"1A right after CR", "one\r\x1A\nx", {"one"}},
      {"1A at start",
       std::string("\x1A"
                   "abc",
                   4),
       {}},
      {"empty file", "", {}},
      {"lone CR", "\r", {""}},
      {"zero byte inside", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
      {"high bytes kept", "\xFF\x80\xE9\r\n", {"\xFF\x80\xE9"}},
  };
  for (const Case &c : cases) {
    for (const auto &size : kSizes) {
      MemorySource source(c.bytes, size.block);
      Reading r = ReadAll(source, size.buffer);
      EXPECT_EQ(r.lines, c.lines) << c.name << " buffer " << size.buffer << " block " << size.block;
      EXPECT_EQ(r.afterEnd, "") << c.name;
    }
  }
}

TEST(TextLineReader, ReadsPastTheEndStayEmpty) {
  MemorySource source("a\r\nb\x1A"
                      "c\r\n");
  TextLineReader reader(source);
  std::string line;
  int32_t error = 0;
  ASSERT_TRUE(reader.ReadLine(&line, &error));
  ASSERT_TRUE(reader.ReadLine(&line, &error));
  EXPECT_EQ(line, "b");
  for (int i = 0; i < 3; ++i) {
    line = "stale";
    EXPECT_TRUE(reader.ReadLine(&line, &error));
    EXPECT_EQ(line, "") << "the 0x1A byte stays unread";
    EXPECT_TRUE(reader.AtEnd(&error));
  }
  EXPECT_EQ(error, 0);
}

TEST(TextLineReader, TenMegabyteLineAcrossManyBuffers) {
  std::string big(10 * 1000 * 1000, 'x');
  for (size_t i = 0; i < big.size(); i += 4093)
    big[i] = static_cast<char>('a' + i % 26);
  MemorySource source(big + "\r\n" + "tail");
  Reading r = ReadAll(source, 4096);
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_TRUE(r.lines[0] == big);
  EXPECT_EQ(r.lines[1], "tail");
}

TEST(TextLineReader, SourceFailuresReachTheCaller) {
  struct Case {
    const char *name;
    std::string bytes;
    size_t failAt;
    size_t linesRead; // lines that come back before the failure
  } cases[] = {
      {"first read", "one\r\ntwo\r\n", 0, 0},
      {"inside the second line", "one\r\ntwo\r\n", 7, 1},
      {"looking for the LF after a CR", "one\r\ntwo", 4, 0},
  };
  for (const Case &c : cases) {
    MemorySource source(c.bytes, 1);
    source.FailAt(c.failAt, 23);
    TextLineReader reader(source, 1);
    int32_t error = 0;
    std::string line;
    size_t read = 0;
    while (reader.ReadLine(&line, &error))
      ++read;
    EXPECT_EQ(read, c.linesRead) << c.name;
    EXPECT_EQ(error, 23) << c.name;
    error = 0;
    EXPECT_TRUE(reader.AtEnd(&error)) << c.name << ": a failed source reads as the end";
    EXPECT_EQ(error, 23) << c.name;
  }
}

} // namespace
