// The station log per line, parse included: with 100 stations heard again and again, with about
// 100,000 distinct stations in the table, and filling an empty table with 100,000 new stations.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/Text.h"
#include "stations/TStationLog.h"
#include "stations/TStationTable.h"

namespace {

using namespace druv;

std::vector<std::string> ReadGzLines(const std::string& path) {
  gzFile in = gzopen(path.c_str(), "rb");
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  std::string all;
  char buf[1 << 16];
  int n;
  while ((n = gzread(in, buf, sizeof buf)) > 0) all.append(buf, static_cast<size_t>(n));
  gzclose(in);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= all.size(); ++i) {
    if (i == all.size() || all[i] == '\n' || all[i] == '\r') {
      std::string_view line = TrimView(std::string_view(all).substr(start, i - start));
      if (!line.empty()) lines.emplace_back(line);
      start = i + 1;
    }
  }
  return lines;
}

const std::vector<std::string>& Traffic(int stations) {
  static const auto few = ReadGzLines(DRUV_FIXTURES_DIR "/traffic-100st-20k.txt.gz");
  static const auto unique = ReadGzLines(DRUV_FIXTURES_DIR "/traffic-unique-100k.txt.gz");
  return stations == 100 ? few : unique;
}

struct TLog {
  TStationTable Table;
  TStationLog Log{&Table};
  TLog() { Table.CreateDataSet(); }
};

// Lines of stations the table already holds: the table is filled with the traffic first, then
// the same traffic goes round again.
void BM_StationLogKnownStations(benchmark::State& state) {
  const auto& lines = Traffic(static_cast<int>(state.range(0)));
  TLog t;
  for (const auto& l : lines) t.Log.Process(l);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.Log.Process(lines[i]));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["stations"] = static_cast<double>(t.Table.RecordCount());
}
BENCHMARK(BM_StationLogKnownStations)->Arg(100)->Arg(100000);

// An empty table filled with 100,000 stations heard for the first time.
void BM_StationLogNewStations(benchmark::State& state) {
  const auto& lines = Traffic(100000);
  size_t stations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto t = std::make_unique<TLog>();
    state.ResumeTiming();
    for (const auto& l : lines) t->Log.Process(l);
    stations = t->Table.RecordCount();
    state.PauseTiming();
    t.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines.size()));
  state.counters["stations"] = static_cast<double>(stations);
}
BENCHMARK(BM_StationLogNewStations)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
