// Arbitrary bytes as a KISS stream and as APRS-IS text, split where the first byte says: nothing
// may crash, the split may not change what comes out, and every line a frame gives must encode
// back to a frame that gives the same line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "radio/Ax25Codec.h"
#include "radio/TAprsIsProtocol.h"
#include "radio/TKissProtocol.h"

namespace {

template <class TProtocol, class... TArgs>
std::vector<std::string> Lines(std::string_view bytes, size_t split, TArgs... args) {
  TProtocol p(args...);
  std::vector<std::string> out;
  p.OnLine = [&](const std::string& l) { out.push_back(l); };
  p.Feed(bytes.substr(0, split));
  p.Feed(bytes.substr(split));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace druv;
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t split = bytes.empty() ? 0 : data[0] % (bytes.size() + 1);

  const auto kiss = Lines<TKissProtocol>(bytes, split);
  if (kiss != Lines<TKissProtocol>(bytes, 0)) __builtin_trap();
  for (const std::string& line : kiss) {
    // A decoded header is always a valid address list; the information may hold anything.
    const auto frame = MonitorLineToAx25(line);
    if (!frame) __builtin_trap();
    const TFrameDecodeRec again = Ax25ToMonitorLine(*frame);
    if (again.Verdict != fvLine || again.Line != line) __builtin_trap();
  }

  const auto is = Lines<TAprsIsProtocol>(bytes, split, std::string("N0CALL"), -1, std::string());
  if (is != Lines<TAprsIsProtocol>(bytes, 0, std::string("N0CALL"), -1, std::string())) __builtin_trap();
  for (const std::string& line : is)
    if (line.empty() || line[0] == '#' || line.find('\n') != std::string::npos) __builtin_trap();
  return 0;
}
