#pragma once
#include <functional>

namespace druv {

// A timer that ticks on the UI thread, so the core can run beacons and retries without Qt and a
// test can fire it by hand.
class ITimer {
 public:
  virtual ~ITimer() = default;
  // (Re)starts the timer: the first tick comes intervalMs after the call.
  virtual void Start(int intervalMs, bool singleShot = false) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
  virtual int IntervalMs() const = 0;
  std::function<void()> OnTimeout;
};

}  // namespace druv
