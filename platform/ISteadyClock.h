#pragma once
// Elapsed time for delays and time-outs: never jumps with the wall clock.
#include <chrono>
#include <cstdint>

namespace druv {

class ISteadyClock {
 public:
  virtual ~ISteadyClock() = default;
  virtual int64_t NowMs() const = 0;
};

class TSteadyClock : public ISteadyClock {
 public:
  int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace druv
