#pragma once
// druv-replay's map output: the replayed stations drawn onto a map picture, written as PNG.
#include <string>
#include <vector>

namespace druv {

class TStationTable;
struct TReplayOptions;

// Loads the map as "Other JPG" / "Other BMP" do, runs the chosen plot (current: the station
// table; trails and wx: lines as the raw packet list) and writes the picture. Throws druv::Error.
void WriteReplayMap(const TReplayOptions& options, const TStationTable& table, const std::vector<std::string>& lines);

}  // namespace druv
