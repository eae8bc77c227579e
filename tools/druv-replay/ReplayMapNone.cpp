#include "common/Error.h"
#include "tools/druv-replay/ReplayMap.h"

namespace druv {

bool ReplayMapAvailable() { return false; }

void WriteReplayMap(const TReplayOptions&, const TStationTable&, const std::vector<std::string>&) {
  throw Error("map output needs the build with windows (DRUV_BUILD_UI)");
}

}  // namespace druv
