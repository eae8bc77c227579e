#include "platform/SerialSettings.h"

#include "common/Numbers.h"

namespace druv {

const int StandardBaudRates[15] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                   19200, 38400, 56000, 57600, 115200, 128000, 256000};

bool IsStandardBaudRate(int rate) {
  for (int r : StandardBaudRates)
    if (r == rate) return true;
  return false;
}

const char* StopBitsName(TStopBits v) {
  switch (v) {
    case sbOneAndHalf: return "1.5";
    case sbTwo: return "2";
    default: return "1";
  }
}
const char* ParityName(TParity v) {
  static const char* k[] = {"None", "Odd", "Even", "Mark", "Space"};
  return k[v <= paSpace ? v : 0];
}
const char* FlowControlName(TFlowControl v) {
  static const char* k[] = {"Hardware", "Software", "None", "Custom"};
  return k[v <= fcCustom ? v : 0];
}
std::optional<TStopBits> StopBitsFromName(const std::string& s) {
  if (s == "1") return sbOne;
  if (s == "1.5") return sbOneAndHalf;
  if (s == "2") return sbTwo;
  return std::nullopt;
}
std::optional<TParity> ParityFromName(const std::string& s) {
  for (int i = paNone; i <= paSpace; ++i)
    if (s == ParityName(static_cast<TParity>(i))) return static_cast<TParity>(i);
  return std::nullopt;
}
std::optional<TFlowControl> FlowControlFromName(const std::string& s) {
  for (int i = fcHardware; i <= fcCustom; ++i)
    if (s == FlowControlName(static_cast<TFlowControl>(i))) return static_cast<TFlowControl>(i);
  return std::nullopt;
}

TIniSection SerialSettingsToIni(const TSerialSettingsRec& s) {
  TIniSection ini;
  ini["Port"] = s.Port;
  if (IsStandardBaudRate(s.BaudRate)) {
    ini["BaudRate"] = FormatInt(s.BaudRate);
  } else {
    ini["BaudRate"] = "Custom";
    ini["CustomBaudRate"] = FormatInt(s.BaudRate);
  }
  ini["StopBits"] = StopBitsName(s.StopBits);
  ini["DataBits"] = FormatInt(s.DataBits);
  ini["Parity"] = ParityName(s.Parity);
  ini["FlowControl"] = FlowControlName(s.FlowControl);
  return ini;
}

TSerialSettingsRec SerialSettingsFromIni(const TIniSection& ini, TSerialSettingsRec s) {
  auto get = [&](const char* key) -> const std::string* {
    auto it = ini.find(key);
    return it == ini.end() ? nullptr : &it->second;
  };
  if (auto v = get("Port"); v && !v->empty()) s.Port = *v;
  if (auto v = get("BaudRate")) {
    if (*v == "Custom") {
      if (auto c = get("CustomBaudRate"))
        if (auto n = ParseInt(*c); n && *n > 0 && *n < 100000000) s.BaudRate = static_cast<int>(*n);
    } else if (auto n = ParseInt(*v); n && IsStandardBaudRate(static_cast<int>(*n))) {
      s.BaudRate = static_cast<int>(*n);
    }
  }
  if (auto v = get("StopBits"))
    if (auto x = StopBitsFromName(*v)) s.StopBits = *x;
  if (auto v = get("DataBits"))
    if (auto n = ParseInt(*v); n && *n >= 5 && *n <= 8) s.DataBits = static_cast<int>(*n);
  if (auto v = get("Parity"))
    if (auto x = ParityFromName(*v)) s.Parity = *x;
  if (auto v = get("FlowControl"))
    if (auto x = FlowControlFromName(*v)) s.FlowControl = *x;
  return s;
}

}  // namespace druv
