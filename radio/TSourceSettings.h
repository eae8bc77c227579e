#pragma once
// "sources.ini", section [Source]: where the station's lines come from.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SerialSettings.h"

namespace druv {

enum TSourceKind : unsigned char { skTs2000, skKissTcp, skKissSerial, skAprsIs };

// "ts2000", "kiss-tcp", "kiss-serial", "aprs-is": the Kind values of the file.
const char* SourceKindName(TSourceKind kind);
std::optional<TSourceKind> SourceKindFromName(std::string_view name);
// "TS-2000", "KISS TCP", "KISS serial", "APRS-IS": the status bar's names.
const char* SourceKindTitle(TSourceKind kind);
// KISS TCP and APRS-IS: a host and a port.
inline bool UsesTcp(TSourceKind kind) { return kind == skKissTcp || kind == skAprsIs; }

inline constexpr const char* SourcesFileName = "sources.ini";
inline constexpr const char* SourcesSection = "Source";

struct TSourceSettingsRec {
  TSourceKind Kind = skTs2000;
  std::string Host;  // empty: the kind's usual host
  int Port = 0;      // 0: the kind's usual port
  std::string Device = "/dev/ttyUSB0";
  int BaudRate = 9600;
  std::string Call;  // APRS-IS login; empty: the call of MYCALL
  int Passcode = -1;
  std::string Filter;

  bool operator==(const TSourceSettingsRec&) const = default;
};

// Dire Wolf's KISS port on this machine; the APRS-IS round-robin of the Tier 2 servers.
std::string DefaultHost(TSourceKind kind);
int DefaultPort(TSourceKind kind);
std::string HostOf(const TSourceSettingsRec& s);
int PortOf(const TSourceSettingsRec& s);

// Keys Kind, Host, Port, Device, BaudRate, Call, Passcode, Filter.
TIniSection SourceSettingsToIni(const TSourceSettingsRec& s);
// A missing key keeps its default; a key that cannot be read keeps it too and is named in problems.
TSourceSettingsRec SourceSettingsFromIni(const TIniSection& ini, std::vector<std::string>* problems = nullptr);
// What is wrong with settings the user entered, one text per fault; empty when they can be used.
std::vector<std::string> SourceSettingsProblems(const TSourceSettingsRec& s);

// The fields of the "Station Data Source" dialog as typed.
struct TSourceTextsRec {
  TSourceKind Kind = skTs2000;
  std::string Host, Port, Device, BaudRate, Call, Passcode, Filter;
};
// The settings the texts make, starting from current; every text is trimmed. An empty port gives
// the kind's usual one, an empty passcode -1, an empty baud rate keeps the current one. A number
// that cannot be used keeps the current value; only the numbers of the chosen kind are faults.
// The faults, then those of SourceSettingsProblems, go to problems.
TSourceSettingsRec SourceSettingsFromTexts(const TSourceSettingsRec& current, const TSourceTextsRec& texts,
                                           std::vector<std::string>* problems = nullptr);

}  // namespace druv
