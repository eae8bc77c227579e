#pragma once
// Serial-port settings and their ini form (section named after the port object, e.g. ComPort1).
#include <map>
#include <optional>
#include <string>

namespace druv {

enum TStopBits : unsigned char { sbOne, sbOneAndHalf, sbTwo };
enum TParity : unsigned char { paNone, paOdd, paEven, paMark, paSpace };
enum TFlowControl : unsigned char { fcHardware, fcSoftware, fcNone, fcCustom };

struct TSerialSettingsRec {
  std::string Port = "COM1";
  int BaudRate = 57600;
  int DataBits = 8;
  TStopBits StopBits = sbOne;
  TParity Parity = paNone;
  // Hardware: CTS governs output, DTR and RTS in handshake mode, no XON/XOFF.
  TFlowControl FlowControl = fcHardware;
  // DTR and RTS driven inactive after opening (ignored under hardware flow control, which owns
  // them). Not an ini key: it belongs to the device on the port (a GPS receiver wants it).
  bool HoldDtrRtsInactive = false;
  int InputBufferSize = 2048;
  int OutputBufferSize = 2048;

  bool operator==(const TSerialSettingsRec&) const = default;
};

// The standard rates offered by the setup dialog and written by name; any other rate is "Custom".
extern const int StandardBaudRates[15];
bool IsStandardBaudRate(int rate);

const char* StopBitsName(TStopBits v);
const char* ParityName(TParity v);
const char* FlowControlName(TFlowControl v);
std::optional<TStopBits> StopBitsFromName(const std::string& s);
std::optional<TParity> ParityFromName(const std::string& s);
std::optional<TFlowControl> FlowControlFromName(const std::string& s);

using TIniSection = std::map<std::string, std::string>;
// Keys Port, BaudRate, CustomBaudRate (only when BaudRate is Custom), StopBits, DataBits, Parity, FlowControl.
TIniSection SerialSettingsToIni(const TSerialSettingsRec& s);
// A missing or unreadable key keeps the current setting.
TSerialSettingsRec SerialSettingsFromIni(const TIniSection& ini, TSerialSettingsRec current);

}  // namespace druv
