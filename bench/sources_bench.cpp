// Line sources: recorded traffic as KISS frames over TCP (chunks) and over a serial port (one
// byte per call, through the reconnecting source), and as APRS-IS text.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/ISteadyClock.h"
#include "radio/Ax25Codec.h"
#include "radio/TAprsIsProtocol.h"
#include "radio/TKissDecoder.h"
#include "radio/TKissProtocol.h"
#include "radio/TSourceConnection.h"

namespace druv {
namespace {

std::vector<std::string> TrafficLines() {
  std::ifstream in(DRUV_FIXTURES_DIR "/traffic-20k.txt", std::ios::binary);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The traffic as heard on the air: TNC decorations and internet path entries left out.
const std::string& KissStream() {
  static const std::string stream = [] {
    std::string s;
    for (const std::string& line : TrafficLines()) {
      const size_t colon = line.find(':');
      if (colon == std::string::npos) continue;
      std::string header = line.substr(0, colon);
      header = header.substr(0, header.find(' '));
      const size_t gt = header.find('>');
      if (gt == std::string::npos) continue;
      std::vector<std::string> path;
      std::string dest;
      size_t start = gt + 1;
      for (;;) {
        const size_t comma = header.find(',', start);
        std::string field = header.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (dest.empty())
          dest = field;
        else if (IsAx25Address(field.back() == '*' ? field.substr(0, field.size() - 1) : field))
          path.push_back(field);
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      if (auto f = Ax25UiFrame(header.substr(0, gt), dest, path, line.substr(colon + 1))) s += KissDataFrame(0, *f);
    }
    return s;
  }();
  return stream;
}

const std::string& AprsIsStream() {
  static const std::string stream = [] {
    std::string s;
    for (const std::string& line : TrafficLines()) s += line + "\r\n";
    return s;
  }();
  return stream;
}

constexpr size_t kChunk = 1460;  // one TCP segment

void BM_KissTcpToLines(benchmark::State& state) {
  const std::string& stream = KissStream();
  size_t lines = 0;
  for (auto _ : state) {
    TKissProtocol kiss;
    kiss.OnLine = [&](const std::string& l) { benchmark::DoNotOptimize(l.data()); };
    for (size_t i = 0; i < stream.size(); i += kChunk) kiss.Feed(std::string_view(stream).substr(i, kChunk));
    lines = kiss.Lines();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_KissTcpToLines)->Unit(benchmark::kMillisecond);

void BM_AprsIsToLines(benchmark::State& state) {
  const std::string& stream = AprsIsStream();
  size_t lines = 0;
  for (auto _ : state) {
    TAprsIsProtocol is("QQ5ZZZ", -1, "");
    lines = 0;
    is.OnLine = [&](const std::string&) { ++lines; };
    for (size_t i = 0; i < stream.size(); i += kChunk) is.Feed(std::string_view(stream).substr(i, kChunk));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_AprsIsToLines)->Unit(benchmark::kMillisecond);

// The serial port hands over one byte per call; the whole source sits in that path.
class TByteLink : public ISourceLink {
 public:
  std::string Describe() const override { return "bench"; }
  void Open() override {
    if (OnOpened) OnOpened();
  }
  void Close() override {}
  void Write(const std::string&) override {}
};

void BM_KissSerialBytewise(benchmark::State& state) {
  const std::string& stream = KissStream();
  TSteadyClock clock;
  size_t lines = 0;
  for (auto _ : state) {
    auto link = std::make_unique<TByteLink>();
    TByteLink* raw = link.get();
    TSourceConnection source("KISS serial", std::move(link), std::make_unique<TKissProtocol>(), clock);
    lines = 0;
    source.OnLine = [&](const std::string&) { ++lines; };
    source.Connect();
    for (char c : stream) raw->OnBytes(std::string_view(&c, 1));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_KissSerialBytewise)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace druv

BENCHMARK_MAIN();
