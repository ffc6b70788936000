// The paced view on a fake clock, in front of a screen that records what
// reaches it: what is painted when, what is skipped, what every pause shows,
// and a long run of small entries, whose paints per second stay bounded
// while no state that lasts a frame is lost.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "extract/PacedView.h"
#include "runtime/Exception.h"

namespace {

class RecordingScreen : public ExtractionView {
public:
  std::vector<std::string> calls;

  void ShowStatus(const std::string &text) override { calls.push_back("status " + text); }
  void ShowHeading(const std::string &text) override { calls.push_back("heading " + text); }
  void ShowProgress(int32_t position) override {
    calls.push_back("bar " + std::to_string(position));
  }
  void ProcessMessages() override { calls.push_back("pump"); }
  bool AskForVolume(const std::string &prompt) override {
    calls.push_back("ask " + prompt);
    return false; // the user gives up: the answer must come through
  }
  void ShowLibraryFailure(const Exception &error) override {
    calls.push_back("library " + error.Message());
  }
};

// One call into the view at a time on the fake clock.
struct Step {
  uint32_t at; // milliseconds
  char call;   // s status, h heading, b bar, p pump, a ask, F Flush
  std::string arg;
};

struct PaceCase {
  const char *name;
  uint32_t start;
  std::vector<Step> steps;
  std::vector<std::string> screen;
};

const PaceCase kCases[] = {
    {"first status at once, then one frame per 40 ms with the latest state",
     0,
     {{0, 'b', "0"},
      {0, 's', "Extracting a"},
      {5, 'b', "50"},
      {10, 's', "Extracting b"},
      {39, 'p', ""},
      {40, 'b', "100"},
      {40, 'p', ""}},
     {"bar 0", "status Extracting a", "pump", "bar 100", "status Extracting b"}},
    {"the bar and the heading alone wait for a status or a pump",
     0,
     {{0, 's', "x"}, {100, 'b', "7"}, {100, 'h', "Unpacking > v2"}, {120, 'p', ""}},
     {"status x", "heading Unpacking > v2", "bar 7", "pump"}},
    {"a state equal to the screen's is not painted again",
     0,
     {{0, 'b', "0"}, {0, 's', "x"}, {50, 'b', "0"}, {50, 's', "x"}, {100, 'p', ""}},
     {"bar 0", "status x", "pump"}},
    {"pumps at most every 10 ms",
     0,
     {{0, 'p', ""}, {3, 'p', ""}, {9, 'p', ""}, {10, 'p', ""}, {25, 'p', ""}, {30, 'p', ""}},
     {"pump", "pump", "pump"}},
    {"the volume prompt shows the latest state first",
     0,
     {{0, 's', "Extracting a"},
      {1, 'b', "98"},
      {2, 'h', "Unpacking > v2"},
      {3, 's', "Extracting b"},
      {4, 'a', "Insert disk v3"}},
     {"status Extracting a", "heading Unpacking > v2", "bar 98", "status Extracting b",
      "ask Insert disk v3"}},
    {"the flush at the end of the set shows the final bar and status",
     0,
     {{0, 's', "Extracting a"},
      {1, 'b', "100"},
      {2, 'b', "0"},
      {2, 's', "File header broken"},
      {3, 'F', ""}},
     {"status Extracting a", "bar 0", "status File header broken"}},
    {"a failure's text reaches the screen at the flush after the run, once",
     0,
     {{0, 's', "Extracting a"},
      {1, 'b', "40"},
      {2, 's', "Write error"},
      {2, 'F', ""},
      {3, 'F', ""}},
     {"status Extracting a", "bar 40", "status Write error"}},
    {"frames across the clock's wrap-around",
     UINT32_MAX - 20,
     {{0, 's', "a"}, {30, 's', "b"}, {39, 'p', ""}, {40, 'p', ""}},
     {"status a", "pump", "status b"}},
};

void PrintTo(const PaceCase &c, std::ostream *os) {
  *os << c.name;
}

class PacedViewTest : public ::testing::TestWithParam<PaceCase> {};

TEST_P(PacedViewTest, Screen) {
  const PaceCase &c = GetParam();
  uint32_t now = c.start;
  RecordingScreen screen;
  PacedView view(screen, [&] { return now; });
  for (const Step &step : c.steps) {
    now = c.start + step.at;
    switch (step.call) {
    case 's':
      view.ShowStatus(step.arg);
      break;
    case 'h':
      view.ShowHeading(step.arg);
      break;
    case 'b':
      view.ShowProgress(std::stoi(step.arg));
      break;
    case 'p':
      view.ProcessMessages();
      break;
    case 'a':
      EXPECT_FALSE(view.AskForVolume(step.arg)) << "the screen's answer";
      break;
    case 'F':
      view.Flush();
      break;
    }
  }
  EXPECT_EQ(screen.calls, c.screen);
}

INSTANTIATE_TEST_SUITE_P(Pace, PacedViewTest, ::testing::ValuesIn(kCases));

// A run as the driver makes it, on a clock in microseconds: every entry's
// status and bar reset, then a bar position and a pump per data block.
// Most entries are one block of 1.5 ms; one in a hundred is nine blocks of
// 5 ms. Paints stay a frame apart, a frame comes every 40 ms while the run
// goes on, every status that stays a frame is on screen while it is the
// entry's, and the end is exact.
TEST(PacedViewRun, ManySmallEntries) {
  uint64_t micros = 0;
  RecordingScreen screen;
  PacedView view(screen, [&] { return static_cast<uint32_t>(micros / 1000); });
  std::vector<uint64_t> paints; // when a status reached the screen
  std::string showing, bar;     // what the screen shows
  auto painted = [&](size_t before) {
    for (size_t k = before; k < screen.calls.size(); ++k)
      if (screen.calls[k].rfind("status ", 0) == 0) {
        paints.push_back(micros);
        showing = screen.calls[k].substr(7);
      } else if (screen.calls[k].rfind("bar ", 0) == 0) {
        bar = screen.calls[k];
      }
  };
  const int entries = 3000;
  int lasting = 0, seenWhileCurrent = 0;
  for (int i = 0; i < entries; ++i) {
    const std::string status = "Extracting dir\\file" + std::to_string(i);
    const bool long_ = i % 100 == 7;
    const int blocks = long_ ? 9 : 1;
    const uint64_t blockMicros = long_ ? 5000 : 1500;
    view.ShowProgress(0);
    size_t before = screen.calls.size();
    view.ShowStatus(status);
    painted(before);
    bool seen = showing == status;
    for (int b = 1; b <= blocks; ++b) {
      micros += blockMicros;
      view.ShowProgress(100 * b / blocks);
      before = screen.calls.size();
      view.ProcessMessages();
      painted(before);
      // On screen for a block of its own, not only as the entry ends.
      seen = seen || (b < blocks && showing == status);
    }
    lasting += long_;
    seenWhileCurrent += long_ && seen;
  }
  view.ShowProgress(0);
  const size_t beforeEnd = screen.calls.size();
  view.Flush();
  painted(beforeEnd);

  for (size_t k = 1; k + 1 < paints.size(); ++k)
    ASSERT_GE(paints[k] - paints[k - 1], 39000u) << "two paints within a frame, at " << k;
  const double seconds = micros / 1e6;
  EXPECT_LE(paints.size(), seconds * 25 + 2);
  EXPECT_GE(paints.size(), seconds * 25 * 0.9) << "a frame every 40 ms while the run goes on";
  EXPECT_EQ(seenWhileCurrent, lasting) << "a status that stayed a frame was not on screen";
  // The end is exact: the last entry's status and the bar reset.
  EXPECT_EQ(showing, "Extracting dir\\file" + std::to_string(entries - 1));
  EXPECT_EQ(bar, "bar 0");
}

} // namespace
