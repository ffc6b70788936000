// A view in front of another that puts a run's state on screen at most once
// per frame. The driver reports every entry and data block; painting each of
// them would bind a run of many small files to the cost of painting, while
// the screen shows one picture per frame and a person reads far fewer. The
// latest status, heading and bar position are kept and handed on when a
// frame is due, and always before the run pauses (a volume prompt, a
// failure of the library) and when Flush is called after the run returned.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "extract/ExtractionView.h"

// Milliseconds from any fixed point; may wrap around.
using FrameClock = std::function<uint32_t()>;

struct FramePace {
  uint32_t paintMs; // at most one frame per this many milliseconds
  uint32_t pumpMs;  // messages pumped at most this often
};

// 25 frames a second look continuous for a bar and a status line; a pump
// every 10 ms keeps "cancel ]" as live as a pump per block, at a fraction
// of the cost when blocks are small.
constexpr FramePace kExtractionPace{40, 10};

class PacedView : public ExtractionView {
public:
  PacedView(ExtractionView &screen, FrameClock clock, FramePace pace = kExtractionPace);

  void ShowStatus(const std::string &text) override;
  void ShowHeading(const std::string &text) override;
  void ShowProgress(int32_t position) override;
  void ProcessMessages() override;
  bool AskForVolume(const std::string &prompt) override;
  void ShowLibraryFailure(const Exception &error) override;

  // Hands on whatever the screen does not show yet, whether a frame is due
  // or not.
  void Flush();

private:
  // The latest value of one part of the screen, and the one it shows.
  // Nothing is handed on for a part the run has not written.
  template <class T> struct Kept {
    std::optional<T> latest, shown;
    bool Dirty() const { return latest != shown; }
  };

  void PaintIfDue();
  void Paint(uint32_t now);

  ExtractionView &screen_;
  FrameClock clock_;
  FramePace pace_;
  Kept<std::string> heading_, status_;
  Kept<int32_t> position_;
  std::optional<uint32_t> lastPaint_, lastPump_;
};
