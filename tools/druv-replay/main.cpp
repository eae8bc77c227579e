// druv-replay: the station log without windows. Reads monitor lines from files or standard
// input, plain or gzip-compressed (CR, LF and CR LF each end a line; 8-bit bytes), hands each one, trimmed as the receive
// path trims it, to the station log exactly once, then writes what was asked for.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <unistd.h>
#include <zlib.h>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/Text.h"
#include "stations/StationExport.h"
#include "stations/TStationLog.h"
#include "stations/TStationTable.h"
#include "stations/TWeatherGrid.h"
#include "tools/druv-replay/TReplayOptions.h"

namespace {

using namespace druv;

// Splits a byte stream into lines; a CR LF pair is one line end, even across reads.
class TLineSplitter {
 public:
  template <class F>
  void Feed(std::string_view bytes, F&& line) {
    for (char c : bytes) {
      if (c == '\r' || c == '\n') {
        if (!(c == '\n' && LastWasCr_)) Emit(line);
        LastWasCr_ = c == '\r';
      } else {
        Current_ += c;
        LastWasCr_ = false;
      }
    }
  }
  template <class F>
  void Finish(F&& line) {
    if (!Current_.empty()) Emit(line);
    LastWasCr_ = false;
  }

 private:
  template <class F>
  void Emit(F&& line) {
    line(std::string_view(Current_));
    Current_.clear();
  }
  std::string Current_;
  bool LastWasCr_ = false;
};

// A gzip-compressed file is read as its contents; any other as it is.
void ReadLines(const std::string& name, const std::function<void(std::string_view)>& line) {
  gzFile in = name == "-" ? gzdopen(dup(0), "rb") : gzopen(name.c_str(), "rb");
  const std::string shown = name == "-" ? std::string("standard input") : name;
  if (!in) throw Error("cannot open " + shown + ": " + std::strerror(errno));
  gzbuffer(in, 1 << 17);
  TLineSplitter split;
  static char buf[1 << 20];
  int n;
  while ((n = gzread(in, buf, sizeof buf)) > 0) split.Feed(std::string_view(buf, static_cast<size_t>(n)), line);
  int code = Z_OK;
  const char* message = n < 0 ? gzerror(in, &code) : nullptr;
  const std::string failure = message ? message : "";
  gzclose(in);
  if (n < 0) throw Error("cannot read " + shown + ": " + (code == Z_ERRNO ? std::strerror(errno) : failure));
  split.Finish(line);
}

void WriteOutput(const std::string& path, const std::string& bytes) {
  if (path == "-") {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
      throw Error(std::string("cannot write to standard output: ") + std::strerror(errno));
    return;
  }
  WriteFileAtomic(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  auto options = ParseReplayOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "druv-replay: %s\n%s", error.c_str(), ReplayUsage().c_str());
    return 2;
  }
  if (options->Help) {
    std::fputs(ReplayUsage().c_str(), stdout);
    return 0;
  }
  try {
    TStationTable table;
    table.CreateDataSet();
    TStationLog log(&table);
    size_t linesRead = 0;
    auto process = [&](std::string_view raw) {
      std::string_view line = TrimView(raw);
      if (line.empty()) return;
      ++linesRead;
      log.Process(line);
    };
    const auto start = std::chrono::steady_clock::now();
    if (options->Inputs.empty()) options->Inputs.push_back("-");
    for (const std::string& name : options->Inputs) ReadLines(name, process);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (!options->StationsFile.empty()) WriteOutput(options->StationsFile, StationTableCsv(table));
    if (!options->ListsDir.empty()) {
      std::error_code ec;
      std::filesystem::create_directories(options->ListsDir, ec);
      const std::string dir = options->ListsDir + "/";
      WriteFileAtomic(dir + "weather.txt", ListText(log.WeatherStations));
      WriteFileAtomic(dir + "messages.txt", ListText(log.Messages));
      WriteFileAtomic(dir + "third-party.txt", ListText(log.ThirdParty));
      WriteFileAtomic(dir + "stations.txt", ListText(log.Stations));
    }
    if (!options->WeatherFile.empty()) {
      TWeatherGrid grid;
      grid.WriteHeaders();
      grid.Refresh(log.WeatherStations);
      WriteOutput(options->WeatherFile, WeatherGridCsv(grid));
    }
    if (options->Stats) {
      const double rate = seconds > 0 ? static_cast<double>(linesRead) / seconds : 0;
      std::fprintf(stderr, "lines read: %zu\npackets: %zu\nstations: %zu\nseconds: %s\nlines per second: %s\n",
                   linesRead, log.PacketsMade(), table.RecordCount(), FormatFixed(seconds, 3).c_str(),
                   FormatFixed(rate, 0).c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "druv-replay: %s\n", e.what());
    return 1;
  }
  return 0;
}
