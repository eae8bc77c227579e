#pragma once
// What the simulated TS-2000 and its TNC answer: break-in prompts, and monitor lines once the line
// has been handed to the TNC ("TC 0;") and monitoring switched on ("MON ON").
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tnc-sim/ISimDevice.h"

namespace druv {

struct TTncSimOptionsRec {
  std::vector<std::string> Lines;     // monitor lines to play, without line ends
  double RateLinesPerSecond = 2;
  bool Loop = false;
  std::string LineEnd = "\r";
  // Plays the addressee's ack for every numbered APRS message the station sends, this long after.
  bool AckMessages = false;
  double AckDelaySeconds = 1;
};

class TTncSim : public ISimDevice {
 public:
  explicit TTncSim(TTncSimOptionsRec options);

  // Bytes the program wrote; returns what the TNC answers at once. Times are seconds since start.
  std::string Receive(std::string_view bytes, double now) override;
  // The next monitor line (with its line end) when one is due at now.
  std::optional<std::string> NextLine(double now) override;
  // Seconds until the next line is due; negative when nothing is to be played.
  double SecondsUntilNextLine(double now) const override;

  bool TncMode() const { return TncMode_; }
  bool MonitorOn() const { return MonitorOn_; }
  bool Playing() const;

 private:
  void UpdatePlaying(double now);
  // The other station: what the station types in converse mode, and the acks it hears back.
  void TypedByte(char c, double now);
  void TypedLine(const std::string& line, double now);
  std::optional<std::string> DueAck(double now);
  double SecondsUntilAck(double now) const;

  TTncSimOptionsRec Options_;
  double Interval_;
  std::string Tail_;  // the last bytes of earlier reads, so a command split across reads is seen
  bool TncMode_ = false;
  bool MonitorOn_ = false;
  bool WasPlaying_ = false;
  bool PromptOpen_ = false;  // the cursor stands after a "cmd:" prompt
  size_t NextIndex_ = 0;
  double NextDue_ = 0;
  std::string Typed_;   // the line the station is typing
  std::string MyCall_;  // from its last "MYCALL" line
  struct TAck {
    double Due;
    std::string Line;
  };
  std::deque<TAck> Acks_;
};

// Bytes as a readable log text: printable ASCII as is, CR and LF as <CR> <LF>, every other byte
// (and '<' itself) as <hh>.
std::string VisibleBytes(std::string_view bytes);

}  // namespace druv
