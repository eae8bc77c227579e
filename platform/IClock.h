#pragma once
#include "common/DateTime.h"

namespace druv {

class IClock {
 public:
  virtual ~IClock() = default;
  virtual TDateTime UtcNow() const = 0;
  virtual TDateTime LocalNow() const = 0;
};

// The system clock.
class TSystemClock : public IClock {
 public:
  TDateTime UtcNow() const override { return druv::UtcNow(); }
  TDateTime LocalNow() const override { return druv::LocalNow(); }
};

}  // namespace druv
