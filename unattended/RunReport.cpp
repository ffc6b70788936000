#include "unattended/RunReport.h"

#include "unattended/Console.h"

bool RunReport::OpenLog(const std::string &path) {
  log_ = FileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(log_);
}

void RunReport::Line(const std::string &text) {
  if (!log_)
    return;
  // Every line break of the text (an archive comment has its own) as CR LF.
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      line += text[i];
    }
  }
  line += "\r\n";
  DWORD written = 0;
  // A log that cannot be written must not stop the installation.
  WriteFile(log_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void RunReport::Failure(const std::string &sentence) {
  Line(sentence);
  WriteToConsole(sentence + "\r\n", true);
}

ExitCode RunReported(const CommandLine &line, const char *started,
                     ExitCode (*run)(const CommandLine &line, RunReport &report)) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  RunReport report;
  if (line.hasLog && !report.OpenLog(line.log)) {
    report.Failure("Cannot create the log file " + line.log + ".");
    return ExitCode::BadCommandLine;
  }
  SYSTEMTIME time;
  GetLocalTime(&time);
  char now[32];
  wsprintfA(now, " %04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
            time.wMinute, time.wSecond);
  report.Line(started + std::string(now));
  const ExitCode code = run(line, report);
  report.Line("Exit code: " + std::to_string(static_cast<int>(code)));
  return code;
}
