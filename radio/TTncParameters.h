#pragma once
// The ten TNC parameter lines, each a complete TNC command sent verbatim.
#include <string>

namespace druv {

struct TTncParametersRec {
  std::string Unproto = "UNPROTO  APRS VIA APRS,WIDE2-1";
  std::string MyCall = "MYCALL   XXXX";
  std::string Flow = "FLOW OFF";
  std::string HBaud = "HBAUD 1200";
  std::string PacLen = "PACLEN 250";
  std::string PacTime = "PACTIME AFTER 0";
  std::string XFlow = "XFLOW OFF";
  std::string Mon = "MON ON";
  std::string MCom = "MCOM ON";
  std::string MCon = "MCON ON";

  bool operator==(const TTncParametersRec&) const = default;
};

// Call signs that ship as examples and must never reach the air (case-sensitive substring test).
bool HasReservedCallSign(const std::string& myCallText);

}  // namespace druv
