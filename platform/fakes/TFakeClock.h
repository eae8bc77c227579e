#pragma once
#include "platform/IClock.h"

namespace druv {

class TFakeClock : public IClock {
 public:
  TDateTime Utc = 46000.5, Local = 46000.5;
  TDateTime UtcNow() const override { return Utc; }
  TDateTime LocalNow() const override { return Local; }
};

}  // namespace druv
