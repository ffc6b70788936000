#include "installation/StagedInstall.h"

#include "extract/ExtractTexts.h"
#include "extract/UnrarApi.h"
#include "runtime/Handles.h"

namespace {
// The folder itself, for its times.
FileHandle OpenFolder(const std::string &path, DWORD access) {
  return FileHandle(CreateFileA(path.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}
} // namespace

StagedInstall::StagedInstall(const std::string &target)
    : target_(target), targetPath_(WinStagingFiles::TargetPath(target)), area_(files_, targetPath_),
      destination_(WinStagingFiles::AnsiPath(area_.FilesFolder())) {}

StagedInstall::~StagedInstall() {
  if (begun_)
    End();
}

std::string StagedInstall::Begin() {
  recovered_ = files_.KindOf(area_.Folder()) != StagingFiles::Kind::Missing;
  if (StagingProblem problem = area_.Recover())
    return StagingProblemText(problem);
  FileHandle folder = OpenFolder(target_, GENERIC_READ);
  timesKept_ = folder && GetFileTime(folder.Get(), &created_, &accessed_, &written_);
  if (StagingProblem problem = area_.Create()) {
    if (problem.kind != StagingProblem::Kind::Move)
      return StagingProblemText(problem);
    area_.Remove(); // what was made of it
    RestoreTimes();
    return ProcessFailureText(ERAR_ECREATE);
  }
  begun_ = true;
  return "";
}

std::string StagedInstall::Commit() {
  StagingProblem problem = area_.Commit();
  committed_ = !problem;
  return StagingProblemText(problem);
}

std::string StagedInstall::End() {
  begun_ = false;
  StagingProblem problem = area_.Remove();
  if (!committed_)
    RestoreTimes();
  return StagingProblemText(problem);
}

void StagedInstall::RestoreTimes() {
  FileHandle folder = timesKept_ ? OpenFolder(target_, FILE_WRITE_ATTRIBUTES) : FileHandle();
  if (folder)
    SetFileTime(folder.Get(), &created_, &accessed_, &written_);
}
