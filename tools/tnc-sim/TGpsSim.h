#pragma once
// A GPS receiver: NMEA sentences at a steady rate, either a fix of its own ($GPGGA and $GPRMC with
// the current UTC time and valid checksums) or the sentences of a file, as they stand.
#include <string>
#include <vector>

#include "tools/tnc-sim/ISimDevice.h"

namespace druv {

struct TGpsSimOptionsRec {
  std::vector<std::string> Sentences;  // from a file, without line ends; empty: make them
  double Latitude = 48.1173, Longitude = 11.516667;
  double RateFixesPerSecond = 1;
  bool Loop = false;
  double StartUtcSeconds = 0;  // Unix time at the simulator's start
};

class TGpsSim : public ISimDevice {
 public:
  explicit TGpsSim(TGpsSimOptionsRec options);

  std::string Receive(std::string_view bytes, double now) override;
  std::optional<std::string> NextLine(double now) override;
  double SecondsUntilNextLine(double now) const override;

 private:
  TGpsSimOptionsRec Options_;
  double Interval_;
  double NextDue_ = 0;
  size_t NextIndex_ = 0;
};

// One fix as a receiver writes it: "$GPGGA..." and "$GPRMC...", each with checksum and CR LF.
std::string GpsFixSentences(double latitude, double longitude, double utcSeconds);

}  // namespace druv
