// The extraction dialog on the real unrar.dll and sets made by rar: what
// lands in the target folder, what the dialog shows on the way, failures
// that really happen, and the registry import by the real editor.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "ExtractionHarness.h"
#include "TestData.h"
#include "extract/ExtractArchive.h"
#include "extract/UnrarDll.h"
#include "shell/Form1.h"
#include "shell/Form4.h"

namespace {

std::string Fixture(const std::string &name) {
  return ArchivesFolder() + "\\" + name;
}

// The real library, watched: what the dialog shows at each header read and
// after each entry.
class WatchedDll : public ArchiveLibrary {
public:
  struct AfterEntry {
    std::string heading;
    int position;
    std::string status;
  };
  std::vector<std::string> statusAtHeader;
  std::vector<AfterEntry> afterEntry;

  RarHandle OpenArchive(RAROpenArchiveData *data) override { return dll().OpenArchive(data); }
  int CloseArchive(RarHandle archive) override { return dll().CloseArchive(archive); }
  int ReadHeader(RarHandle archive, RARHeaderData *header) override {
    return dll().ReadHeader(archive, header);
  }
  int ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) override {
    statusAtHeader.push_back(Form4->Label1.Caption());
    return dll().ReadHeaderEx(archive, header);
  }
  int ProcessFile(RarHandle archive, int operation, char *path, char *name) override {
    return dll().ProcessFile(archive, operation, path, name);
  }
  int ProcessFileW(RarHandle archive, int operation, wchar_t *path, wchar_t *name) override {
    int result = dll().ProcessFileW(archive, operation, path, name);
    afterEntry.push_back(
        {Form4->Label3.Caption(), Form4->ProgressBar1.Position(), Form4->Label1.Caption()});
    return result;
  }
  void SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) override {
    dll().SetChangeVolProc(archive, proc);
  }
  void SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) override {
    dll().SetProcessDataProc(archive, proc);
  }

private:
  static ArchiveLibrary &dll() { return UnrarDll::Instance(); }
};

class ExtractionRealTest : public ExtractionHarness {
protected:
  ExtractionRealTest() { SetExtractionLibrary(&watched); }

  void CopyToRelease(const std::string &name) {
    ASSERT_TRUE(CopyFileA(Fixture(name).c_str(), release.Path(name).c_str(), FALSE)) << name;
  }
  // Every original of the fixture, byte for byte, in the target folder.
  void ExpectOriginalsExtracted() {
    std::ifstream manifest(std::string(INSTALLER_TEST_DATA) + "/archives/manifest.txt");
    std::string line;
    int files = 0;
    while (std::getline(manifest, line)) {
      std::string name = line.substr(0, line.find('\t'));
      for (char &c : name)
        if (c == '/')
          c = '\\';
      EXPECT_EQ(TempFolder::ReadFile(Target() + "\\" + name),
                TempFolder::ReadFile(Fixture("src\\" + name)))
          << name;
      ++files;
    }
    EXPECT_EQ(files, 4);
    DWORD emptyDir = GetFileAttributesA((Target() + "\\emptydir").c_str());
    EXPECT_TRUE(emptyDir != INVALID_FILE_ATTRIBUTES && (emptyDir & FILE_ATTRIBUTE_DIRECTORY));
  }
  void OpenMultiVolumeSet(const std::string &regFile = "demo.reg") {
    OpenDialog("multi.part1.rar", regFile);
    for (const char *part : {"multi.part1.rar", "multi.part2.rar", "multi.part3.rar"})
      CopyToRelease(part);
  }

  WatchedDll watched;
};

TEST_F(ExtractionRealTest, MultiVolumeSetWithComment) {
  OpenMultiVolumeSet();
  release.WriteFile("demo.reg", "REGEDIT4\r\n");
  ClickExtract();

  ExpectCompletedRun();
  EXPECT_TRUE(boxes.empty());
  ExpectOriginalsExtracted();
  ASSERT_FALSE(watched.statusAtHeader.empty());
  EXPECT_EQ(watched.statusAtHeader[0],
            "Comentario:" + TempFolder::ReadFile(Fixture("comment.txt")));
  EXPECT_EQ(Form4->Label3.Caption(), "Unpacking > multi.part3.rar");
  // readme, alpha (part 1 -> 2), beta (part 2 -> 3), empty.txt, emptydir.
  ASSERT_EQ(watched.afterEntry.size(), 5u);
  const char *headings[] = {"Installation...", "Unpacking > multi.part2.rar",
                            "Unpacking > multi.part3.rar", "Unpacking > multi.part3.rar",
                            "Unpacking > multi.part3.rar"};
  const int positions[] = {100, 100, 100, 0, 0};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(watched.afterEntry[i].heading, headings[i]) << i;
    EXPECT_EQ(watched.afterEntry[i].position, positions[i]) << i;
  }
  EXPECT_EQ(Form4->ProgressBar1.Position(), 0);
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].parameters, "\"demo.reg\"");
}

TEST_F(ExtractionRealTest, DamagedDataStopsWithCrcError) {
  OpenDialog("damaged-data.rar");
  CopyToRelease("damaged-data.rar");
  release.WriteFile("demo.reg", "REGEDIT4\r\n");
  ClickExtract();
  ExpectFailedRun("CRC error");
}

TEST_F(ExtractionRealTest, NotAnArchive) {
  OpenDialog("not-an-archive.rar");
  CopyToRelease("not-an-archive.rar");
  ClickExtract();
  ExpectFailedRun("Is not RAR archive:" + release.Path("not-an-archive.rar"));
}

TEST_F(ExtractionRealTest, ArchivePathThatNamesNothing) {
  OpenDialog("absent.part1.rar");
  ClickExtract();
  ExpectFailedRun("Cannot open " + release.Path("absent.part1.rar"));
}

TEST_F(ExtractionRealTest, MissingVolumeCancelledFailsTheRun) {
  OpenMultiVolumeSet();
  DeleteFileA(release.Path("multi.part2.rar").c_str());
  release.WriteFile("demo.reg", "REGEDIT4\r\n");
  AnswerBoxes(IDCANCEL);
  ClickExtract();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Request");
  EXPECT_EQ(boxes[0].text,
            "Insert disk " + release.Path("multi.part2.rar") + " and press [Enter] or [Q]");
  ExpectFailedRun("Volume open error");
}

TEST_F(ExtractionRealTest, MissingVolumePutBackCompletesTheRun) {
  OpenMultiVolumeSet();
  DeleteFileA(release.Path("multi.part2.rar").c_str());
  std::vector<std::string> asked;
  Application->SetMessageBoxHook([&](const std::string &text, const std::string &caption, UINT) {
    asked.push_back(caption + ": " + text);
    CopyToRelease("multi.part2.rar");
    return IDOK;
  });
  ClickExtract();
  EXPECT_EQ(asked.size(), 1u);
  ExpectCompletedRun();
  ExpectOriginalsExtracted();
}

// A file's bytes, by its wide name.
std::string ReadWide(const std::wstring &path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return "<missing>";
  char buffer[256];
  DWORD read = 0;
  std::string bytes;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

std::wstring Widen(const std::string &ansi) {
  std::wstring wide(ansi.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n - 1 : 0);
  return wide;
}

// The status line shows each name from the library's wide field in the ANSI
// code page: what 1252 has comes out right (the narrow field would give
// OEM bytes), what it lacks comes out as '?'. The files on disk keep their
// names whole either way.
TEST_F(ExtractionRealTest, NamesOutsideAsciiInTheStatusLine) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252, not " << GetACP();
  struct NameCase {
    const wchar_t *name;
    const char *status;
    const char *content;
  };
  const NameCase cases[] = {
      {L"\u041f\u0440\u0438\u0432\u0435\u0442.txt", "Extracting ??????.txt", "privet\r\n"},
      {L"\u65e5\u672c\u8a9e.txt", "Extracting ???.txt", "nihongo\r\n"},
      {L"caf\u00e9.txt", "Extracting caf\xe9.txt", "cafe\r\n"},
  };
  OpenDialog("names.rar");
  CopyToRelease("names.rar");
  ClickExtract();

  ExpectCompletedRun();
  ASSERT_EQ(watched.afterEntry.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(watched.afterEntry[i].status, cases[i].status) << i;
    EXPECT_EQ(ReadWide(Widen(Target()) + L"\\" + cases[i].name), cases[i].content) << i;
  }
}

// Polls the registry through the platform's reg tool for at most `seconds`.
bool RegistryValueAppears(const std::string &key, const std::string &value, int seconds) {
  std::string command = "reg.exe query \"" + key + "\" /v " + value;
  for (int tries = 0; tries < seconds * 4; ++tries) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
      return false;
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (code == 0)
      return true;
    Sleep(250);
  }
  return false;
}

TEST_F(ExtractionRealTest, RegistryFileIsImportedByTheEditor) {
  ForwardShellCalls(); // the real shell and editor this time
  std::string key = "HKEY_CURRENT_USER\\Software\\InstallerExtractionTest";
  std::string unique = std::to_string(GetCurrentProcessId());
  OpenMultiVolumeSet("demo settings.reg"); // a blank: the name travels quoted
  release.WriteFile("demo settings.reg",
                    "REGEDIT4\r\n\r\n[" + key + "]\r\n\"Run" + unique + "\"=\"done\"\r\n\r\n");
  ClickExtract();
  ExpectCompletedRun();
  // The editor tolerates a lost closing quote: the exact parameters show it.
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].parameters, "\"demo settings.reg\"");
  EXPECT_TRUE(RegistryValueAppears(key, "Run" + unique, 30));
}

} // namespace
