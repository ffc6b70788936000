// Rebuilds a directory list on FOLDER and, interleaved, two baselines: a
// bare FindFirstFile loop over the same folder and the rebuild of an empty
// folder; and the sorted listing alone. Prints one line per measurement: "<kind> <seconds>
// <items>". Usage: bench-dirlist-rebuild FOLDER EMPTY_FOLDER RUNS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "folders/DirectoryListBox.h"
#include "folders/FolderPlatform.h"
#include "runtime/Application.h"
#include "runtime/Form.h"

namespace {
class TBenchForm : public TForm {
public:
  TBenchForm() : TForm("TBenchForm", {250, 300, RGB(128, 128, 128), TBorderStyle::None, "", true}) {
    List.SetBounds(5, 5, 240, 290);
    List.SetFont({"MS Sans Serif", 11, false, ANSI_CHARSET, RGB(0, 0, 0)});
    List.SetItemHeight(16);
  }
  TDirectoryListBox List{this};
};

double Seconds(LARGE_INTEGER start) {
  LARGE_INTEGER end, frequency;
  QueryPerformanceCounter(&end);
  QueryPerformanceFrequency(&frequency);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

int BareCount(const char *folder) {
  char pattern[MAX_PATH];
  snprintf(pattern, sizeof pattern, "%s\\*.*", folder);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern, &found);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE)
    return 0;
  do
    ++count;
  while (FindNextFileA(find, &found));
  FindClose(find);
  return count;
}
} // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench-dirlist-rebuild FOLDER EMPTY_FOLDER RUNS\n");
    return 2;
  }
  const char *folder = argv[1], *empty = argv[2];
  int runs = std::atoi(argv[3]);
  if (!SetCurrentDirectoryA(folder))
    return 3;
  TApplication app;
  app.Initialize();
  TBenchForm *form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  TDirectoryListBox &list = form->List;

  auto rebuild = [&](const char *to, const char *kind) {
    list.SetDirectory(to);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    list.RebuildList();
    double took = Seconds(start);
    app.ProcessMessages(); // the repaint, outside the measurement
    std::printf("%s %.4f %d\n", kind, took, list.ItemCount());
  };
  auto bare = [&] {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    int count = BareCount(folder);
    std::printf("bare %.4f %d\n", Seconds(start), count);
  };
  // The listing and sorting alone, without the list box.
  auto names = [&] {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    size_t count = WinFolderSystem::Platform().Subfolders(folder).size();
    std::printf("names %.4f %d\n", Seconds(start), static_cast<int>(count));
  };
  for (int i = 0; i < runs; ++i) {
    // Rotate the order so that none always follows another.
    switch (i % 3) {
    case 0:
      rebuild(folder, "list");
      bare();
      rebuild(empty, "empty");
      break;
    case 1:
      bare();
      rebuild(empty, "empty");
      rebuild(folder, "list");
      break;
    default:
      rebuild(empty, "empty");
      rebuild(folder, "list");
      bare();
      break;
    }
    names();
    std::fflush(stdout);
  }
  return 0;
}
