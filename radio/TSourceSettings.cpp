#include "radio/TSourceSettings.h"

#include "common/Numbers.h"
#include "common/Text.h"

namespace druv {

namespace {

struct TKindNames {
  TSourceKind Kind;
  const char* Name;
  const char* Title;
};
constexpr TKindNames kKinds[] = {
    {skTs2000, "ts2000", "TS-2000"},
    {skKissTcp, "kiss-tcp", "KISS TCP"},
    {skKissSerial, "kiss-serial", "KISS serial"},
    {skAprsIs, "aprs-is", "APRS-IS"},
};

bool HasLineBreak(const std::string& s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos; }

// A whole number in [low, high]; surrounding blanks allowed.
std::optional<int> IntIn(std::string_view text, long long low, long long high) {
  const auto v = ParseInt(text);
  if (!v || *v < low || *v > high) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

const char* SourceKindName(TSourceKind kind) { return kKinds[kind].Name; }
const char* SourceKindTitle(TSourceKind kind) { return kKinds[kind].Title; }

std::optional<TSourceKind> SourceKindFromName(std::string_view name) {
  const std::string n = Trim(name);
  for (const auto& k : kKinds)
    if (n == k.Name) return k.Kind;
  return std::nullopt;
}

std::string DefaultHost(TSourceKind kind) {
  if (kind == skKissTcp) return "127.0.0.1";
  if (kind == skAprsIs) return "rotate.aprs2.net";
  return {};
}

int DefaultPort(TSourceKind kind) {
  if (kind == skKissTcp) return 8001;
  if (kind == skAprsIs) return 14580;
  return 0;
}

std::string HostOf(const TSourceSettingsRec& s) { return s.Host.empty() ? DefaultHost(s.Kind) : s.Host; }
int PortOf(const TSourceSettingsRec& s) { return s.Port == 0 ? DefaultPort(s.Kind) : s.Port; }

TIniSection SourceSettingsToIni(const TSourceSettingsRec& s) {
  return {
      {"Kind", SourceKindName(s.Kind)},
      {"Host", s.Host},
      {"Port", FormatInt(s.Port)},
      {"Device", s.Device},
      {"BaudRate", FormatInt(s.BaudRate)},
      {"Call", s.Call},
      {"Passcode", FormatInt(s.Passcode)},
      {"Filter", s.Filter},
  };
}

TSourceSettingsRec SourceSettingsFromIni(const TIniSection& ini, std::vector<std::string>* problems) {
  TSourceSettingsRec s;
  auto complain = [&](const std::string& key, const std::string& value) {
    if (problems) problems->push_back(key + "=" + value + " cannot be used; the default is kept.");
  };
  auto text = [&](const char* key, std::string& field) {
    auto it = ini.find(key);
    if (it == ini.end()) return;
    if (HasLineBreak(it->second))
      complain(key, it->second);
    else
      field = Trim(it->second);
  };
  auto number = [&](const char* key, int& field, long long low, long long high) {
    auto it = ini.find(key);
    if (it == ini.end() || Trim(it->second).empty()) return;
    if (const auto v = IntIn(it->second, low, high))
      field = *v;
    else
      complain(key, it->second);
  };
  if (auto it = ini.find("Kind"); it != ini.end()) {
    if (auto kind = SourceKindFromName(it->second))
      s.Kind = *kind;
    else
      complain("Kind", it->second);
  }
  text("Host", s.Host);
  number("Port", s.Port, 0, 65535);
  text("Device", s.Device);
  number("BaudRate", s.BaudRate, 1, 4000000);
  text("Call", s.Call);
  number("Passcode", s.Passcode, -1, 32767);
  text("Filter", s.Filter);
  return s;
}

std::vector<std::string> SourceSettingsProblems(const TSourceSettingsRec& s) {
  std::vector<std::string> out;
  const bool tcp = UsesTcp(s.Kind);
  if (tcp && (s.Port < 0 || s.Port > 65535)) out.push_back("The port must be a number from 1 to 65535.");
  if (tcp && (HasLineBreak(s.Host) || Contains(s.Host, " "))) out.push_back("The host name cannot hold blanks.");
  if (s.Kind == skKissSerial && Trim(s.Device).empty()) out.push_back("Enter the serial device of the KISS TNC.");
  if (s.Kind == skKissSerial && s.BaudRate <= 0) out.push_back("The baud rate must be a positive number.");
  if (s.Kind == skAprsIs) {
    if (HasLineBreak(s.Call) || Contains(s.Call, " ")) out.push_back("The call sign cannot hold blanks.");
    if (s.Passcode < -1 || s.Passcode > 32767) out.push_back("The passcode must be -1 or a number from 0 to 32767.");
    if (HasLineBreak(s.Filter)) out.push_back("The filter must be one line.");
  }
  return out;
}

TSourceSettingsRec SourceSettingsFromTexts(const TSourceSettingsRec& current, const TSourceTextsRec& texts,
                                           std::vector<std::string>* problems) {
  TSourceSettingsRec s = current;
  s.Kind = texts.Kind;
  const bool tcp = UsesTcp(s.Kind), serial = s.Kind == skKissSerial;
  auto number = [&](const std::string& text, int& field, int empty, long long low, long long high, bool check,
                    const char* problem) {
    const std::optional<int> v = TrimView(text).empty() ? empty : IntIn(text, low, high);
    if (v)
      field = *v;
    else if (check && problems)
      problems->push_back(problem);
  };
  s.Host = Trim(texts.Host);
  number(texts.Port, s.Port, 0, 1, 65535, tcp, "The port must be a number from 1 to 65535.");
  s.Device = Trim(texts.Device);
  number(texts.BaudRate, s.BaudRate, current.BaudRate, 1, 4000000, serial,
         "The baud rate must be a number from 1 to 4000000.");
  s.Call = Trim(texts.Call);
  number(texts.Passcode, s.Passcode, -1, -1, 32767, s.Kind == skAprsIs,
         "The passcode must be -1 or a number from 0 to 32767.");
  s.Filter = Trim(texts.Filter);
  if (problems)
    for (std::string& p : SourceSettingsProblems(s)) problems->push_back(std::move(p));
  return s;
}

}  // namespace druv
