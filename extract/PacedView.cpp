#include "extract/PacedView.h"

#include <utility>

namespace {
bool Elapsed(const std::optional<uint32_t> &since, uint32_t interval, uint32_t now) {
  // Unsigned difference: right across the clock's wrap-around.
  return !since || now - *since >= interval;
}
} // namespace

PacedView::PacedView(ExtractionView &screen, FrameClock clock, FramePace pace)
    : screen_(screen), clock_(std::move(clock)), pace_(pace) {}

void PacedView::ShowStatus(const std::string &text) {
  status_.latest = text;
  PaintIfDue();
}

// The heading and the bar only store: the run always goes on to a status or
// a pump, which paints them with it if a frame is due. So the first frame of
// a run shows its first status, not the bar's reset just before it.
void PacedView::ShowHeading(const std::string &text) {
  heading_.latest = text;
}

void PacedView::ShowProgress(int32_t position) {
  position_.latest = position;
}

void PacedView::ProcessMessages() {
  PaintIfDue();
  uint32_t now = clock_();
  if (!Elapsed(lastPump_, pace_.pumpMs, now))
    return;
  lastPump_ = now;
  screen_.ProcessMessages();
}

bool PacedView::AskForVolume(const std::string &prompt) {
  Flush();
  return screen_.AskForVolume(prompt);
}

void PacedView::ShowLibraryFailure(const Exception &error) {
  Flush();
  screen_.ShowLibraryFailure(error);
}

void PacedView::Flush() {
  if (heading_.Dirty() || status_.Dirty() || position_.Dirty())
    Paint(clock_());
}

void PacedView::PaintIfDue() {
  if (!heading_.Dirty() && !status_.Dirty() && !position_.Dirty())
    return;
  uint32_t now = clock_();
  if (Elapsed(lastPaint_, pace_.paintMs, now))
    Paint(now);
}

void PacedView::Paint(uint32_t now) {
  lastPaint_ = now;
  // The status last: its repaint takes the heading's changed area along.
  if (heading_.Dirty())
    screen_.ShowHeading(*(heading_.shown = heading_.latest));
  if (position_.Dirty())
    screen_.ShowProgress(*(position_.shown = position_.latest));
  if (status_.Dirty())
    screen_.ShowStatus(*(status_.shown = status_.latest));
}
