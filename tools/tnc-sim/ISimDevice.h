#pragma once
// What tnc-sim plays on its pseudo-terminal: the TS-2000 with its TNC, or a GPS receiver.
#include <optional>
#include <string>
#include <string_view>

namespace druv {

class ISimDevice {
 public:
  virtual ~ISimDevice() = default;
  // Bytes the program wrote; returns what the device answers at once. Times are seconds since start.
  virtual std::string Receive(std::string_view bytes, double now) = 0;
  // The next text (with its line end) when one is due at now.
  virtual std::optional<std::string> NextLine(double now) = 0;
  // Seconds until the next text is due; negative when nothing is to be played.
  virtual double SecondsUntilNextLine(double now) const = 0;
};

}  // namespace druv
