// Parser throughput on recorded and generated monitor traffic, its heap use per line, and the
// JSON Lines writing of aprs-decode.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>


#include "parser/APRSParser.h"
#include "parser/TAprsPacket.h"
#include "tools/aprs-decode/TJsonLineWriter.h"

// GCC pairs the inlined malloc in operator new with the free in operator delete and warns wrongly.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Every heap allocation of the process is counted, so a benchmark can tell how many a parse makes.
static size_t gAllocations = 0;

void* operator new(std::size_t n) {
  ++gAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace druv;

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(f, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

const std::vector<std::string>& Traffic() {
  static const auto lines = ReadLines(DRUV_FIXTURES_DIR "/traffic-20k.txt");
  return lines;
}

const std::vector<std::string>& RealCorpus() {
  static const auto lines = ReadLines(DRUV_FIXTURES_DIR "/corpus/real.txt");
  return lines;
}

// Heap blocks a packet must own: the packet itself, its digipeater list and every text too long
// for the in-place buffer of std::string.
size_t OwnedBlocks(const TAprsPacket& p) {
  auto heap = [](const std::string& s) { return s.capacity() > 15 ? 1u : 0u; };
  size_t n = 1 + (p.Digipeaters.capacity() > 0 ? 1 : 0);
  for (const std::string& d : p.Digipeaters) n += heap(d);
  for (const std::string* s :
       {&p.Comment, &p.DestinationCallSign, &p.DFReport.Antenna.HeadingStr, &p.DFReport.DFSValue,
        &p.InformationField, &p.MessageData.Addressee, &p.MessageData.SeqID, &p.MessageData.ReplyAck, &p.MessageData.MsgText,
        &p.MessageData.NWSState, &p.ObjectData.Name, &p.Position.Latitude.NMEA, &p.Position.Longitude.NMEA,
        &p.Position.Gridsquare, &p.RawPacket, &p.ReversePath, &p.SourceCallSign.StationCall,
        &p.SourceCallSign.CallSign, &p.SourcePathHeader, &p.StationCapabilities.Antenna.HeadingStr,
        &p.StationCapabilities.PHGValue})
    n += heap(*s);
  return n;
}

void ParseLines(benchmark::State& state, const std::vector<std::string>& lines) {
  size_t i = 0;
  for (auto _ : state) {
    auto packet = ParsePacket(lines[i], 0);
    benchmark::DoNotOptimize(packet);
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());

  // Untimed audit: heap blocks per line, and how many of them the packet does not keep.
  size_t all = 0, extra = 0;
  for (const std::string& line : lines) {
    const size_t before = gAllocations;
    auto packet = ParsePacket(line, 0);
    const size_t made = gAllocations - before;
    all += made;
    if (packet) extra += made - std::min(made, OwnedBlocks(*packet));
  }
  state.counters["allocs/line"] = static_cast<double>(all) / lines.size();
  state.counters["extra_allocs/line"] = static_cast<double>(extra) / lines.size();
}

void BM_ParsePacket_Traffic(benchmark::State& state) { ParseLines(state, Traffic()); }
void BM_ParsePacket_RealCorpus(benchmark::State& state) { ParseLines(state, RealCorpus()); }
BENCHMARK(BM_ParsePacket_Traffic);
BENCHMARK(BM_ParsePacket_RealCorpus);

// Packets already parsed, written as JSON Lines the way aprs-decode writes them.
void BM_JsonLines(benchmark::State& state) {
  std::vector<std::unique_ptr<TAprsPacket>> packets;
  for (const std::string& line : Traffic()) packets.push_back(ParsePacket(line, 0));
  TJsonOutput out;
  TJsonLineWriter json(out);
  size_t i = 0, bytes = 0;
  for (auto _ : state) {
    if (packets[i])
      json.Packet(*packets[i]);
    else
      json.Null();
    if (out.GetSize() >= (1 << 20)) {
      bytes += out.GetSize();
      benchmark::DoNotOptimize(out.Data());
      out.Clear();
    }
    if (++i == packets.size()) i = 0;
  }
  bytes += out.GetSize();
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_JsonLines);

// Parse and write, aprs-decode's work per line without the reading and writing of files.
void BM_ParseAndJson(benchmark::State& state) {
  const auto& lines = Traffic();
  TJsonOutput out;
  TJsonLineWriter json(out);
  size_t i = 0;
  for (auto _ : state) {
    auto packet = ParsePacket(lines[i], 0);
    if (packet)
      json.Packet(*packet);
    else
      json.Null();
    if (out.GetSize() >= (1 << 20)) out.Clear();
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseAndJson);

// One benchmark per data type found in the traffic, to show where the time goes.
void BM_ParsePacket_ByType(benchmark::State& state, const std::vector<std::string>* lines) {
  ParseLines(state, *lines);
}

const bool kByTypeRegistered = [] {
  static std::map<int, std::vector<std::string>> byType;
  for (const std::string& line : Traffic()) byType[LineDataType(line)].push_back(line);
  for (auto& [type, lines] : byType)
    benchmark::RegisterBenchmark(("BM_ParsePacket_ByType/" + std::string(DataTypeNames[type])).c_str(),
                                 BM_ParsePacket_ByType, &lines);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
