#pragma once
// druv-replay's command line: a table of options, so another output is one more row.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace druv {

struct TReplayOptions {
  std::vector<std::string> Inputs;  // none: standard input
  std::string StationsFile;         // "-": standard output
  std::string ListsDir;
  std::string WeatherFile;          // "-": standard output
  bool Stats = false;
  bool Help = false;
};

struct TReplayOptionRec {
  std::string_view Name;       // "--stations"
  std::string_view ValueName;  // "FILE"; empty for a switch
  std::string_view Help;
  std::function<void(TReplayOptions&, const std::string& value)> Set;
};
const std::vector<TReplayOptionRec>& ReplayOptionTable();

// "usage: druv-replay [--stations FILE] ... [FILE...]" and one line per option.
std::string ReplayUsage();
// Nothing for an unknown option or a missing value; error then says which.
std::optional<TReplayOptions> ParseReplayOptions(int argc, const char* const* argv, std::string& error);

}  // namespace druv
