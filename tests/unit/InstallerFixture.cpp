#include "InstallerFixture.h"

#include <windowsx.h>

#include <cstdio>

#include "app/CreateForms.h"
#include "runtime/Gdi.h"

std::string SmallMidi() {
  const unsigned char bytes[] = {
      'M',  'T',  'h', 'd', 0,    0,    0,  6,  0,    0,    0,    1,   0, 96, // format 0, 1 track
      'M',  'T',  'r', 'k', 0,    0,    0,  12,                               // track of 12 bytes
      0x00, 0x90, 60,  64,  0x60, 0x80, 60, 0,  0x00, 0xFF, 0x2F, 0x00};      // note, end of track
  return std::string(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

std::string IniText(const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines)
    text += line + "\r\n";
  return text;
}

std::vector<std::string> StandardIniLines() {
  return {"Title of the release",
          "Sub-title",
          "NOTES.NFO",
          "FILE_ID.DIZ",
          "NewFolder",
          "demo.part1.rar",
          "4",
          "demo.reg",
          "Installation notes for the test."};
}

InstallerFixture::InstallerFixture() {
  previousDirectory_ = CurrentDirectory();
}

InstallerFixture::~InstallerFixture() {
  app_.reset(); // destroys every form, closes the music device
  SetCurrentDirectoryA(previousDirectory_.c_str());
  for (const std::string &path : outsideFiles_)
    DeleteFileA(path.c_str());
}

void InstallerFixture::WriteRelease(const std::vector<std::string> &iniLines,
                                    const std::string &folder) {
  if (folder.empty()) {
    release.WriteFile("install.ini", IniText(iniLines));
    release.WriteFile("install.mid", SmallMidi());
    return;
  }
  std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
  auto write = [&](const char *name, const std::string &bytes) {
    outsideFiles_.push_back(prefix + name); // removed at the end even if writing fails
    FILE *file = fopen(outsideFiles_.back().c_str(), "wb");
    ASSERT_NE(file, nullptr) << outsideFiles_.back();
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
  };
  write("install.ini", IniText(iniLines));
  write("install.mid", SmallMidi());
}

bool InstallerFixture::StartInstaller(const std::string &folder,
                                      const std::string &folderDialogStart) {
  // The display's real pointer away from where the windows appear: a window
  // shown under it would get a pointer move of its own.
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  SetCurrentDirectoryA(folder.empty() ? release.Root().c_str() : folder.c_str());
  app_ = std::make_unique<TApplication>();
  app_->Initialize();
  app_->SetTitle(kApplicationTitle);
  app_->SetMessageBoxHook([this](const std::string &text, const std::string &caption, UINT style) {
    boxes.push_back({text, caption, style});
    return boxAnswer_;
  });
  try {
    CreateInstallerForms(folderDialogStart);
  } catch (const Exception &error) {
    startError = std::string(error.ClassName()) + ": " + error.Message();
    return false;
  }
  Pump();
  return true;
}

void InstallerFixture::StopInstaller() {
  app_.reset();
  boxes.clear();
  SetCurrentDirectoryA(previousDirectory_.c_str());
}

void InstallerFixture::MoveMouse(TForm &form, int x, int y) {
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void InstallerFixture::Press(TForm &form, int x, int y, TMouseButton button) {
  UINT message = button == TMouseButton::Left    ? WM_LBUTTONDOWN
                 : button == TMouseButton::Right ? WM_RBUTTONDOWN
                                                 : WM_MBUTTONDOWN;
  SendMessageA(form.Handle(), message, 0, MAKELPARAM(x, y));
}

void InstallerFixture::Release(TForm &form, int x, int y, TMouseButton button) {
  UINT message = button == TMouseButton::Left    ? WM_LBUTTONUP
                 : button == TMouseButton::Right ? WM_RBUTTONUP
                                                 : WM_MBUTTONUP;
  SendMessageA(form.Handle(), message, 0, MAKELPARAM(x, y));
}

void InstallerFixture::Click(TForm &form, int x, int y) {
  MoveMouse(form, x, y);
  Press(form, x, y);
  Release(form, x, y);
}

void InstallerFixture::Pump() {
  if (Application)
    Application->ProcessMessages();
}

Picture Render(TForm &form) {
  return Picture(form.ClientWidth(), form.ClientHeight(), [&form](HDC dc) {
    RECT all{0, 0, form.ClientWidth(), form.ClientHeight()};
    form.PaintTo(dc, all);
  });
}

std::string InstallerFixture::CurrentDirectory() const {
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, length);
}
