#pragma once
// What the receive side has seen since "Packet ON", whatever the line source: every received line,
// the lines the station log made a packet of, those the parser rejected, and when the last line
// came. Counted as the ticker hands the lines to the station log; nothing is allocated per line.
#include <cstdint>
#include <optional>

#include "common/DateTime.h"

namespace druv {

struct TTrafficCountsRec {
  uint64_t Lines = 0;
  uint64_t Packets = 0;
  uint64_t Rejected = 0;
  std::optional<TDateTime> LastLineTime;  // local time

  bool operator==(const TTrafficCountsRec&) const = default;
};

}  // namespace druv
