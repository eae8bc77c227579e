#include "common/Error.h"
#include "tools/druv-replay/ReplayMap.h"

namespace druv {

void WriteReplayMap(const TReplayOptions&, const TStationTable&, const std::vector<std::string>&) {
  throw Error("map output needs the build with windows (DRUV_BUILD_UI)");
}

}  // namespace druv
