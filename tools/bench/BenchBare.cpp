// Extracts a set with unrar.dll alone: no window, no callbacks. Prints the
// wall time of the run in seconds. Usage: bench-extract-bare ARCHIVE TARGET
#include <windows.h>

#include <cstdio>
#include <memory>

#include "extract/UnrarDll.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench-extract-bare ARCHIVE TARGET_FOLDER\n");
    return 2;
  }
  if (!SetCurrentDirectoryA(argv[2]))
    return 3;
  UnrarDll &rar = UnrarDll::Instance();
  rar.Load();

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  RAROpenArchiveData open{};
  open.ArcName = argv[1];
  open.OpenMode = RAR_OM_EXTRACT;
  RarHandle archive = rar.OpenArchive(&open);
  if (open.OpenResult != 0)
    return 4;
  auto header = std::make_unique<RARHeaderDataEx>();
  int result;
  while ((result = rar.ReadHeaderEx(archive, header.get())) == 0)
    if (int processed = rar.ProcessFile(archive, RAR_EXTRACT, nullptr, nullptr))
      if (header->UnpSize != 0 || header->UnpSizeHigh != 0) {
        std::fprintf(stderr, "processing failed: %d\n", processed);
        return 5;
      }
  rar.CloseArchive(archive);
  QueryPerformanceCounter(&end);
  std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  return result == ERAR_END_ARCHIVE ? 0 : 6;
}
