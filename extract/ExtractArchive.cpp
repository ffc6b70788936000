// The extraction driver of the extraction dialog and the two callbacks the
// archive library calls while it works.
#include "extract/ExtractArchive.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <vector>

#include "extract/ExtractTexts.h"
#include "shell/Form4.h"
#include "extract/UnrarDll.h"
#include "runtime/Application.h"
#include "runtime/IoResult.h"
#include "shell/Form1.h"

namespace {
constexpr unsigned kCommentSize = 16384;

ArchiveLibrary *library = nullptr;
ShellExecuteFunction shellExecute = nullptr;

bool IsFile(const std::string &name) {
  DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Nothing may unwind through the library's frames: a failure inside a
// callback is reported and the callback answers as usual.
template <class Body> int Guarded(int fallback, Body body) {
  try {
    return body();
  } catch (...) {
    Application->HandleCurrentException();
    return fallback;
  }
}
} // namespace

ArchiveLibrary &ExtractionLibrary() {
  return library ? *library : UnrarDll::Instance();
}

void SetExtractionLibrary(ArchiveLibrary *replacement) {
  library = replacement;
}

void SetShellExecute(ShellExecuteFunction function) {
  shellExecute = function;
}

void TForm4::ShowStatus(const std::string &text) {
  Label1.SetCaption(text);
  Label1.Repaint();
}

void TForm4::RunRegEdit(const std::string &fileName) {
  // Quoted, so a name with blanks reaches the editor as one argument.
  std::string parameters = "\"" + fileName + "\"";
  ShellExecuteFunction run = shellExecute ? shellExecute : ShellExecuteA;
  run(nullptr, "open", "regedit.exe", parameters.c_str(), "", SW_SHOWNORMAL);
}

void TForm4::ExtractArchive(const std::string &arcName, int mode) {
  ArchiveLibrary &rar = ExtractionLibrary();

  std::vector<char> path(arcName.begin(), arcName.end());
  path.push_back('\0');
  std::vector<char> comment(kCommentSize, '\0');
  RAROpenArchiveData open{};
  open.ArcName = path.data();
  open.OpenMode = RAR_OM_EXTRACT;
  open.CmtBuf = comment.data();
  open.CmtBufSize = kCommentSize;

  RarHandle archive;
  try {
    archive = rar.OpenArchive(&open);
  } catch (const Exception &error) {
    // The library itself is missing or unusable: a box, as for any failure
    // of the program rather than of the archive.
    Application->HandleException(error);
    return;
  }
  if (open.OpenResult != 0) {
    ShowStatus(OpenFailureText(static_cast<int>(open.OpenResult), arcName));
    return;
  }

  if (open.CmtState == RAR_CMT_READ)
    ShowStatus("Comentario:" + std::string(comment.data(), strnlen(comment.data(), kCommentSize)));

  rar.SetChangeVolProc(archive, ChangeVolProc);
  rar.SetProcessDataProc(archive, ProcessDataProc);

  // The extended header: the 64-bit size of entries past 4 GB.
  auto header = std::make_unique<RARHeaderDataEx>();
  const int operation = mode == 0 ? RAR_EXTRACT : RAR_TEST;
  auto readHeader = [&] {
    *header = RARHeaderDataEx{};
    header->CmtBuf = nullptr;
    int result = rar.ReadHeaderEx(archive, header.get());
    Progress = 0;
    EntrySize =
        static_cast<int64_t>(static_cast<uint64_t>(header->UnpSizeHigh) << 32 | header->UnpSize);
    ProgressBar1.SetPosition(0);
    return result;
  };

  int result = readHeader();
  while (result == 0) {
    std::string name = EntryName(header->FileName, sizeof header->FileName);
    if (!ModePrefix(mode).empty())
      ShowStatus(ModePrefix(mode) + name);
    int processed = rar.ProcessFile(archive, operation, nullptr, nullptr);
    // A folder or an empty file that got no data may fail harmlessly.
    if (processed != 0 && EntrySize != 0) {
      ShowStatus(ProcessFailureText(processed));
      rar.CloseArchive(archive);
      return;
    }
    result = readHeader();
  }
  if (result != ERAR_END_ARCHIVE) {
    // The set was not walked to its end: what has been written is partial.
    ShowStatus(HeaderFailureText(result));
    rar.CloseArchive(archive);
    return;
  }

  rar.CloseArchive(archive);
  Hide();
  Form1->SetEnabled(true);
  if (!SetCurrentDirectoryA(Form1->DirectoryListBox1.Directory().c_str()))
    SetIoResult(static_cast<int32_t>(GetLastError()));
  IoCheck();
  std::string regFile = Form1->Edit1.Text();
  if (IsFile(regFile))
    RunRegEdit(regFile);
}

int UNRAR_CALL TForm4::ChangeVolProc(char *arcName, int mode) {
  // A failed prompt gives up on the volume rather than asking forever.
  return Guarded(mode == RAR_VOL_ASK ? 0 : 1, [&] {
    if (mode == RAR_VOL_ASK) {
      std::string text = std::string("Insert disk ") + arcName + " and press [Enter] or [Q]";
      return Application->MessageBox(text, "Request", MB_OKCANCEL) == IDCANCEL ? 0 : 1;
    }
    Form4->Label3.SetCaption("Unpacking > " + VolumeFileName(arcName));
    return 1;
  });
}

int UNRAR_CALL TForm4::ProcessDataProc(unsigned char *, int size) {
  return Guarded(1, [&] {
    TForm4 &form = *Form4;
    if (form.EntrySize == 0)
      form.EntrySize = 1;
    long double sum = form.Progress + static_cast<long double>(size) / form.EntrySize * 100;
    form.Progress = static_cast<double>(sum);
    form.ProgressBar1.SetPosition(RoundPercent(form.Progress));
    // Repaints, and lets the cancel label be clicked during the run.
    Application->ProcessMessages();
    return 1;
  });
}
