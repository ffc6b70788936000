// The text file on the real file API: opening, sharing, misuse codes, and
// lines read from a file (the line rules on their own are in
// TextLineReaderTest.cpp).
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

TEST_F(TextFileTest, CrLfSplitAcrossTheBufferBoundary) {
  // 4095 bytes then CR: the LF is the first byte of the next block.
  std::string first(4095, 'a');
  Reading r = ReadAll(Write(first + "\r\nsecond\x1A" + "after"));
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].size(), 4095u);
  EXPECT_EQ(r.lines[1], "second");
  EXPECT_EQ(r.afterEnd, "");
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
