// The text-file reader on awkward inputs, through the real file API.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "runtime/Exception.h"
#include "runtime/IoResult.h"
#include "runtime/TextFile.h"

namespace {

struct Reading {
  std::vector<std::string> lines; // read while !Eof
  std::string afterEnd;           // one more read past the end
};

Reading ReadAll(const std::string &path) {
  TextFile file;
  file.Assign(path);
  file.Reset();
  IoCheck();
  Reading r;
  while (!file.Eof()) {
    IoCheck();
    r.lines.push_back(file.ReadLn());
    IoCheck();
  }
  r.afterEnd = file.ReadLn();
  IoCheck();
  file.Close();
  IoCheck();
  return r;
}

class TextFileTest : public ::testing::Test {
protected:
  TempFolder dir;
  std::string Write(const std::string &bytes) { return dir.WriteFile("t.txt", bytes); }
};

TEST_F(TextFileTest, LineEndsFollowTheCarriageReturnRules) {
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
      {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
      {"trailing blanks kept", "  pad  \r\n", {"  pad  "}},
      {"1A ends the file", "one\r\ntw\x1Ao\r\nthree\r\n", {"one", "tw"}},
      {"1A at start",
       std::string("\x1A"
                   "abc",
                   4),
       {}},
      {"empty file", "", {}},
      {"zero byte inside", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
  };
  for (const Case &c : cases) {
    Reading r = ReadAll(Write(c.bytes));
    EXPECT_EQ(r.lines, c.lines) << c.name;
    EXPECT_EQ(r.afterEnd, "") << c.name;
  }
}

TEST_F(TextFileTest, ReadsPastTheEndGiveEmptyLinesWithoutError) {
  TextFile file;
  file.Assign(Write("only\r\n"));
  file.Reset();
  EXPECT_EQ(file.ReadLn(), "only");
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(file.ReadLn(), "");
  EXPECT_TRUE(file.Eof());
  EXPECT_EQ(IoResult(), 0);
  file.Close();
  EXPECT_EQ(IoResult(), 0);
}

TEST_F(TextFileTest, TenMegabyteLineAcrossManyBuffers) {
  std::string big(10 * 1000 * 1000, 'x');
  for (size_t i = 0; i < big.size(); i += 4093)
    big[i] = static_cast<char>('a' + i % 26);
  Reading r = ReadAll(Write(big + "\r\n" + "tail"));
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_TRUE(r.lines[0] == big);
  EXPECT_EQ(r.lines[1], "tail");
}

TEST_F(TextFileTest, CrLfSplitAcrossTheBufferBoundary) {
  // 4095 bytes then CR: the LF is the first byte of the next block.
  std::string first(4095, 'a');
  Reading r = ReadAll(Write(first + "\r\nsecond"));
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].size(), 4095u);
  EXPECT_EQ(r.lines[1], "second");
}

TEST_F(TextFileTest, OpenFailuresStoreThePlatformCode) {
  TextFile missing;
  missing.Assign(dir.Path("nothing.txt"));
  missing.Reset();
  EXPECT_EQ(IoResult(), 2);
  try {
    IoCheck();
    FAIL() << "no exception";
  } catch (const EInOutError &e) {
    EXPECT_EQ(e.Message(), "File not found");
    EXPECT_EQ(e.Code(), 2);
  }
  EXPECT_EQ(IoResult(), 0) << "the check clears the pending result";

  TextFile noFolder;
  noFolder.Assign(dir.Path("no\\such\\folder\\x.txt"));
  noFolder.Reset();
  EXPECT_EQ(IoResult(), 3); // a missing path shows as "Invalid filename"
  SetIoResult(0);
}

TEST_F(TextFileTest, FileHeldForWritingCannotBeOpened) {
  std::string path = Write("data\r\n");
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  TextFile file;
  file.Assign(path);
  file.Reset();
  EXPECT_EQ(IoResult(), 32); // sharing violation: "I/O error 32"
  SetIoResult(0);
  CloseHandle(writer);
}

TEST_F(TextFileTest, OpensSharedForReadingOnly) {
  std::string path = Write("data\r\n");
  TextFile file;
  file.Assign(path);
  file.Reset();
  ASSERT_EQ(IoResult(), 0);
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "others may read";
  CloseHandle(reader);
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "nobody may write";
  if (writer != INVALID_HANDLE_VALUE)
    CloseHandle(writer);
  file.Close();
}

TEST_F(TextFileTest, OwnCodesForMisuse) {
  TextFile unassigned;
  unassigned.Reset();
  EXPECT_EQ(IoResult(), 102);
  SetIoResult(0);

  TextFile closed;
  closed.Assign(Write("x"));
  closed.Close();
  EXPECT_EQ(IoResult(), 103);
  SetIoResult(0);
  closed.ReadLn();
  EXPECT_EQ(IoResult(), 104);
  SetIoResult(0);
  closed.Eof();
  EXPECT_EQ(IoResult(), 104);
  SetIoResult(0);
}

TEST_F(TextFileTest, AFolderIsNoTextFile) {
  TextFile folder;
  folder.Assign(dir.Path(""));
  folder.Reset();
  EXPECT_NE(IoResult(), 0);
  SetIoResult(0);
  EXPECT_FALSE(folder.IsOpen());
}

} // namespace
