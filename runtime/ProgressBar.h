// A thin wrapper around the platform's progress control. Range, step and
// position live in fields until the window exists and are handed over when
// it is created; from then on the window holds them.
#pragma once

#include "runtime/Control.h"

class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TForm *owner);

  int Min();
  int Max();
  int Step() const { return step_; }
  int Position();
  // Raise EInvalidOperation when the range would end below its start.
  void SetMin(int value);
  void SetMax(int value);
  void SetStep(int value);
  // Passed to the control unchanged, even outside the range.
  void SetPosition(int value);

protected:
  void GetCreateParams(CreateParams &params) override;
  void HandleCreated() override;

private:
  void SetRange(int low, int high);

  int min_ = 0;
  int max_ = 100;
  int step_ = 10;
  int position_ = 0;
};
