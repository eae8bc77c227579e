#pragma once

namespace druv {

// Blocking pause between radio commands.
class IWaits {
 public:
  virtual ~IWaits() = default;
  virtual void Wait(int milliSeconds) = 0;
};

}  // namespace druv
