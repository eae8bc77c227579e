#include "radio/TOwnPacket.h"

#include "common/Text.h"
#include "radio/TAprsMessenger.h"

namespace druv {

namespace {

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 0x20) ++i;
    const size_t start = i;
    while (i < s.size() && static_cast<unsigned char>(s[i]) > 0x20) ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

}  // namespace

TUnprotoRec ParseUnproto(std::string_view unprotoText) {
  TUnprotoRec out;
  const auto words = Words(unprotoText);
  if (words.size() < 2) return out;
  out.Destination = words[1];
  size_t i = 2;
  if (i < words.size()) {
    const std::string via = UpperCase(words[i]);
    if (via == "VIA" || via == "V") ++i;
  }
  for (; i < words.size(); ++i) {
    std::string_view w = words[i];
    for (;;) {
      const size_t comma = w.find(',');
      if (comma != 0 && !w.empty()) out.Path.emplace_back(w.substr(0, comma));
      if (comma == std::string_view::npos) break;
      w.remove_prefix(comma + 1);
    }
  }
  return out;
}

TOwnPacketRec OwnPacket(const TTncParametersRec& tnc, std::string info) {
  TUnprotoRec unproto = ParseUnproto(tnc.Unproto);
  return {CallSignOfMyCall(tnc.MyCall), std::move(unproto.Destination), std::move(unproto.Path), std::move(info)};
}

bool IsSendableInfo(std::string_view info) {
  return !info.empty() && info.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace druv
