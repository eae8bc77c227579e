#pragma once
#include "platform/IWaits.h"

namespace druv {

// Blocks the calling (UI) thread; received bytes wait in the driver's buffer meanwhile.
class TQtWaits : public IWaits {
 public:
  void Wait(int milliSeconds) override;
};

}  // namespace druv
