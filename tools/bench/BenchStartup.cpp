// Times programs from process start to their 402 x 422 window on screen
// and painted, for tools/bench-startup. Each round starts every program
// once, in an order that rotates from round to round, and prints one line
// per start: "ROUND LABEL MILLISECONDS". Before it come the marks, each as
// "mark ROUND LABEL NAME MILLISECONDS" counted from the same process start:
// "mapped" (the window first seen visible, painted or not) for every
// program, and those a program writes (see StartupMarks.h) into the file
// named by BENCH_MARKS.
// Usage: bench-startup ROUNDS FOLDER LABEL=COMMAND...
// (FOLDER: the programs' current folder; COMMAND: a command line.)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {
constexpr int kWidth = 402, kHeight = 422;
constexpr DWORD kTimeoutMs = 60000;

LARGE_INTEGER frequency;

double Milliseconds(LONGLONG ticks) {
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD process;
  bool mapped;
  HWND found;
};

// Shown and of the benchmark's size (mapped), and with nothing left to
// paint (found).
BOOL CALLBACK FindPainted(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<Search *>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window))
    return TRUE;
  RECT box;
  GetWindowRect(window, &box);
  if (box.right - box.left != kWidth || box.bottom - box.top != kHeight)
    return TRUE;
  search->mapped = true;
  if (GetUpdateRect(window, nullptr, FALSE))
    return TRUE;
  search->found = window;
  return FALSE;
}

// Milliseconds from CreateProcess to the painted window; negative on failure.
double TimeStart(int round, const std::string &label, std::string command, const char *folder,
                 const std::string &marks) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DeleteFileA(marks.c_str());
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &process)) {
    std::fprintf(stderr, "bench-startup: cannot start %s (%lu)\n", command.c_str(), GetLastError());
    return -1;
  }
  double elapsed = -1, mapped = -1;
  for (;;) {
    Search search{process.dwProcessId, false, nullptr};
    EnumWindows(FindPainted, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.mapped && mapped < 0)
      mapped = Milliseconds(now.QuadPart - start.QuadPart);
    if (search.found) {
      // Validated at the start of the paint: done once the program's
      // thread takes messages again.
      DWORD_PTR ignored;
      SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
      QueryPerformanceCounter(&now);
      elapsed = Milliseconds(now.QuadPart - start.QuadPart);
      break;
    }
    if (Milliseconds(now.QuadPart - start.QuadPart) > kTimeoutMs ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "bench-startup: no painted window from %s\n", command.c_str());
      break;
    }
    Sleep(1);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (mapped >= 0)
    std::printf("mark %d %s mapped %.2f\n", round, label.c_str(), mapped);
  // Marks are counter readings; the counter is the same in every process.
  if (FILE *file = std::fopen(marks.c_str(), "r")) {
    char name[128];
    long long ticks;
    while (std::fscanf(file, "%127s %lld", name, &ticks) == 2)
      std::printf("mark %d %s %s %.2f\n", round, label.c_str(), name,
                  Milliseconds(ticks - start.QuadPart));
    std::fclose(file);
  }
  return elapsed;
}
} // namespace

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench-startup ROUNDS FOLDER LABEL=COMMAND...\n");
    return 2;
  }
  QueryPerformanceFrequency(&frequency);
  int rounds = std::atoi(argv[1]);
  const char *folder = argv[2];
  std::vector<std::pair<std::string, std::string>> programs;
  for (int i = 3; i < argc; ++i) {
    const char *equals = std::strchr(argv[i], '=');
    if (!equals) {
      std::fprintf(stderr, "bench-startup: %s is not LABEL=COMMAND\n", argv[i]);
      return 2;
    }
    programs.emplace_back(std::string(argv[i], static_cast<size_t>(equals - argv[i])), equals + 1);
  }
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string marks = std::string(temp) + "bench-startup-marks.txt";
  SetEnvironmentVariableA("BENCH_MARKS", marks.c_str());
  int failures = 0;
  for (int round = 1; round <= rounds; ++round)
    for (size_t i = 0; i < programs.size(); ++i) {
      const auto &[label, command] = programs[(i + round) % programs.size()];
      double ms = TimeStart(round, label, command, folder, marks);
      if (ms < 0)
        ++failures;
      std::printf("%d %s %.2f\n", round, label.c_str(), ms);
      std::fflush(stdout);
    }
  DeleteFileA(marks.c_str());
  return failures ? 1 : 0;
}
