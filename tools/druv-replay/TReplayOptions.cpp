#include "tools/druv-replay/TReplayOptions.h"

namespace druv {

const std::vector<TReplayOptionRec>& ReplayOptionTable() {
  static const std::vector<TReplayOptionRec> table = {
      {"--stations", "FILE", "write the station table as CSV (- for standard output)",
       [](TReplayOptions& o, const std::string& v) { o.StationsFile = v; }},
      {"--lists", "DIR", "write weather.txt, messages.txt, third-party.txt and stations.txt into DIR",
       [](TReplayOptions& o, const std::string& v) { o.ListsDir = v; }},
      {"--weather", "FILE", "write the weather grid after one refresh as CSV (- for standard output)",
       [](TReplayOptions& o, const std::string& v) { o.WeatherFile = v; }},
      {"--stats", "", "print lines read, packets, stations, seconds and lines per second to standard error",
       [](TReplayOptions& o, const std::string&) { o.Stats = true; }},
      {"--help", "", "show this text", [](TReplayOptions& o, const std::string&) { o.Help = true; }},
  };
  return table;
}

std::string ReplayUsage() {
  std::string out = "usage: druv-replay";
  for (const auto& o : ReplayOptionTable()) {
    if (o.Name == "--help") continue;
    out += " [" + std::string(o.Name) + (o.ValueName.empty() ? "" : " " + std::string(o.ValueName)) + "]";
  }
  out += " [FILE...]\n";
  out += "Replays monitor lines (the FILEs, or standard input) through the station log.\n";
  for (const auto& o : ReplayOptionTable()) {
    std::string left = "  " + std::string(o.Name) + (o.ValueName.empty() ? "" : " " + std::string(o.ValueName));
    if (left.size() < 18) left.resize(18, ' ');
    out += left + " " + std::string(o.Help) + "\n";
  }
  return out;
}

std::optional<TReplayOptions> ParseReplayOptions(int argc, const char* const* argv, std::string& error) {
  TReplayOptions o;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (onlyFiles || a == "-" || a.rfind("--", 0) != 0) {
      o.Inputs.push_back(a);
      continue;
    }
    if (a == "--") {
      onlyFiles = true;
      continue;
    }
    std::string name = a, value;
    bool inlineValue = false;
    if (size_t eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inlineValue = true;
    }
    const TReplayOptionRec* opt = nullptr;
    for (const auto& row : ReplayOptionTable())
      if (row.Name == name) opt = &row;
    if (!opt) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (opt->ValueName.empty()) {
      if (inlineValue) {
        error = name + " takes no value";
        return std::nullopt;
      }
    } else if (!inlineValue) {
      if (i + 1 >= argc) {
        error = name + " needs " + std::string(opt->ValueName);
        return std::nullopt;
      }
      value = argv[++i];
    }
    if (!opt->ValueName.empty() && value.empty()) {
      error = name + " needs " + std::string(opt->ValueName);
      return std::nullopt;
    }
    opt->Set(o, value);
  }
  return o;
}

}  // namespace druv
