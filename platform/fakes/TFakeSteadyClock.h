#pragma once
#include "platform/ISteadyClock.h"

namespace druv {

class TFakeSteadyClock : public ISteadyClock {
 public:
  int64_t Ms = 1000000;
  int64_t NowMs() const override { return Ms; }
  void Advance(int64_t ms) { Ms += ms; }
};

}  // namespace druv
