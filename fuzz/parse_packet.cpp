// ParsePacket on arbitrary bytes, then every rendering of what it returns.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "parser/APRSParser.h"
#include "parser/TAprsPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace druv;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  // A fixed receive time keeps every run reproducible.
  constexpr TDateTime kNow = 45731.6667;  // 2025-03-15 16:00 UTC
  (void)LineDataType(line);
  auto packet = ParsePacket(line, 0, kNow);
  if (!packet) return 0;
  // A returned packet always has a data type from the table, never dtUnknown.
  if (packet->DataTypeID == dtUnknown || packet->DataTypeID >= AprsDataTypeCount) __builtin_trap();
  // A valid position lies on the earth; any other keeps no coordinates.
  const TPositionRec& pos = packet->Position;
  if (pos.Valid ? !(std::fabs(pos.Latitude.Value) <= 90 && std::fabs(pos.Longitude.Value) <= 180)
                : (pos.Latitude.Value != 0 || pos.Longitude.Value != 0 || pos.Ambiguity != 0))
    __builtin_trap();
  if (pos.Ambiguity > 4) __builtin_trap();
  size_t total = packet->VerboseDisplayStr().size() + packet->VerboseDisplayStr2().size() +
                 packet->VerboseDisplayStr3().size() + packet->ShortVerboseDisplayStr().size();
  if (total == 0) __builtin_trap();
  return 0;
}
