#pragma once
#include "platform/ITimer.h"

namespace druv {

// A timer that only ticks when the test says so.
class TFakeTimer : public ITimer {
 public:
  void Start(int intervalMs, bool singleShot = false) override {
    Active_ = true;
    Interval_ = intervalMs;
    SingleShot_ = singleShot;
    ++Starts;
  }
  void Stop() override { Active_ = false; }
  bool IsActive() const override { return Active_; }
  int IntervalMs() const override { return Interval_; }
  bool SingleShot() const { return SingleShot_; }
  // One tick, as the running timer would give it; nothing when it is stopped.
  void Fire() {
    if (!Active_) return;
    if (SingleShot_) Active_ = false;
    if (OnTimeout) OnTimeout();
  }
  int Starts = 0;

 private:
  bool Active_ = false;
  bool SingleShot_ = false;
  int Interval_ = 0;
};

}  // namespace druv
