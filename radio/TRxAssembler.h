#pragma once
// Turns the TNC's character stream into monitor lines (RxLine) and files each one.
#include <cstddef>
#include <functional>
#include <string>

namespace druv {

class TRxAssembler {
 public:
  // A monitor line is a few hundred bytes; anything this long without a CR is noise or a wrong
  // baud rate, and is dropped rather than grown without bound.
  static constexpr size_t MaxLineLength = 4096;

  // Called with the trimmed line when it goes to the raw packet list.
  std::function<void(const std::string&)> OnRawLine;
  // Called with the trimmed line for the status line, for every processed line.
  std::function<void(const std::string&)> OnStatusLine;

  void Char(char c);
  // The line source went away: the half line it left is dropped, so that it cannot end up in
  // front of the first line after a reconnect.
  void DiscardLine();
  const std::string& RxLine() const { return RxLine_; }

  // The raw-list rule: contains ">" and starts with neither "cmd" nor "TC ".
  static bool IsRawPacketLine(const std::string& rxLine);

 private:
  std::string RxLine_;
  bool Discarding_ = false;  // skipping the rest of an over-long line up to its CR
};

}  // namespace druv
