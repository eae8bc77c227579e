#include "radio/Ax25Codec.h"

namespace druv {

namespace {

constexpr size_t kAddressLength = 7;
constexpr size_t kMaxAddresses = 2 + Ax25MaxDigipeaters;
constexpr unsigned char kLastAddress = 0x01;
constexpr unsigned char kRepeated = 0x80;  // H bit of a digipeater; the C bit of source and destination
constexpr unsigned char kReserved = 0x60;
constexpr unsigned char kControlUi = 0x03;
constexpr unsigned char kPollFinal = 0x10;
constexpr unsigned char kPidNoLayer3 = 0xF0;

bool IsCallChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

struct TAddress {
  std::string Text;  // call sign with "-SSID" when the SSID is not 0
  bool Repeated = false;
  bool Last = false;
};

// One 7-byte address field; nothing when it does not hold a call sign.
std::optional<TAddress> DecodeAddress(std::string_view field) {
  std::string call;
  bool padding = false;
  for (size_t i = 0; i < 6; ++i) {
    const auto b = static_cast<unsigned char>(field[i]);
    if (b & 0x01) return std::nullopt;  // the extension bit belongs to the SSID byte only
    const char c = static_cast<char>(b >> 1);
    if (c == ' ') {
      padding = true;
      continue;
    }
    if (padding || !IsCallChar(c)) return std::nullopt;
    call += c;
  }
  if (call.empty()) return std::nullopt;
  const auto ssidByte = static_cast<unsigned char>(field[6]);
  const int ssid = (ssidByte >> 1) & 0x0F;
  if (ssid != 0) call += "-" + std::to_string(ssid);
  return TAddress{std::move(call), (ssidByte & kRepeated) != 0, (ssidByte & kLastAddress) != 0};
}

struct TCallSsid {
  std::string_view Call;
  int Ssid = 0;
};

std::optional<TCallSsid> SplitAddress(std::string_view text) {
  const size_t dash = text.find('-');
  TCallSsid out{text.substr(0, dash), 0};
  if (out.Call.empty() || out.Call.size() > 6) return std::nullopt;
  for (char c : out.Call)
    if (!IsCallChar(c)) return std::nullopt;
  if (dash == std::string_view::npos) return out;
  const std::string_view digits = text.substr(dash + 1);
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  for (char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  out.Ssid = digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + (digits[1] - '0');
  if (out.Ssid > 15) return std::nullopt;
  return out;
}

void EncodeAddress(std::string& out, const TCallSsid& a, unsigned char topBit, bool last) {
  for (size_t i = 0; i < 6; ++i) {
    const char c = i < a.Call.size() ? a.Call[i] : ' ';
    out += static_cast<char>(static_cast<unsigned char>(c) << 1);
  }
  out += static_cast<char>(topBit | kReserved | (a.Ssid << 1) | (last ? kLastAddress : 0));
}

}  // namespace

bool IsAx25Address(std::string_view call) { return SplitAddress(call).has_value(); }

TFrameDecodeRec Ax25ToMonitorLine(std::string_view frame) {
  TFrameDecodeRec out;
  std::vector<TAddress> addresses;
  size_t pos = 0;
  for (;;) {
    if (addresses.size() == kMaxAddresses || frame.size() - pos < kAddressLength) return out;
    auto a = DecodeAddress(frame.substr(pos, kAddressLength));
    if (!a) return out;
    pos += kAddressLength;
    const bool last = a->Last;
    addresses.push_back(std::move(*a));
    if (last) break;
  }
  if (addresses.size() < 2 || pos == frame.size()) return out;
  const auto control = static_cast<unsigned char>(frame[pos++]);
  if ((control & ~kPollFinal) != kControlUi) {
    out.Verdict = fvNotAprs;
    return out;
  }
  if (pos == frame.size()) return out;  // a UI frame always carries a PID
  if (static_cast<unsigned char>(frame[pos++]) != kPidNoLayer3) {
    out.Verdict = fvNotAprs;
    return out;
  }
  size_t lastRepeated = 0;  // 1-based among the digipeaters; 0: none has repeated it
  for (size_t i = 2; i < addresses.size(); ++i)
    if (addresses[i].Repeated) lastRepeated = i - 1;
  std::string& line = out.Line;
  line = addresses[1].Text + ">" + addresses[0].Text;
  for (size_t i = 2; i < addresses.size(); ++i) {
    line += "," + addresses[i].Text;
    if (i - 1 == lastRepeated) line += "*";
  }
  line += ":";
  line.append(frame.substr(pos));
  out.Verdict = fvLine;
  return out;
}

std::optional<std::string> Ax25UiFrame(std::string_view source, std::string_view destination,
                                       const std::vector<std::string>& path, std::string_view info) {
  if (path.size() > Ax25MaxDigipeaters) return std::nullopt;
  const auto src = SplitAddress(source), dest = SplitAddress(destination);
  if (!src || !dest) return std::nullopt;
  size_t repeatedUpTo = 0;
  std::vector<TCallSsid> digis;
  for (size_t i = 0; i < path.size(); ++i) {
    std::string_view d = path[i];
    if (!d.empty() && d.back() == '*') {
      d.remove_suffix(1);
      repeatedUpTo = i + 1;
    }
    const auto digi = SplitAddress(d);
    if (!digi) return std::nullopt;
    digis.push_back(*digi);
  }
  std::string frame;
  frame.reserve(kAddressLength * (2 + digis.size()) + 2 + info.size());
  // A command frame, as AX.25 2.x sends them: C bit set in the destination, clear in the source.
  EncodeAddress(frame, *dest, kRepeated, false);
  EncodeAddress(frame, *src, 0, digis.empty());
  for (size_t i = 0; i < digis.size(); ++i)
    EncodeAddress(frame, digis[i], i < repeatedUpTo ? kRepeated : 0, i + 1 == digis.size());
  frame += static_cast<char>(kControlUi);
  frame += static_cast<char>(kPidNoLayer3);
  frame.append(info);
  return frame;
}

std::optional<std::string> MonitorLineToAx25(std::string_view line) {
  const size_t colon = line.find(':');
  const size_t gt = line.find('>');
  if (colon == std::string_view::npos || gt == std::string_view::npos || gt > colon) return std::nullopt;
  const std::string_view source = line.substr(0, gt);
  std::string_view rest = line.substr(gt + 1, colon - gt - 1);
  std::vector<std::string> fields;
  for (;;) {
    const size_t comma = rest.find(',');
    fields.emplace_back(rest.substr(0, comma));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  const std::string destination = fields.front();
  fields.erase(fields.begin());
  return Ax25UiFrame(source, destination, fields, line.substr(colon + 1));
}

}  // namespace druv
