#pragma once
// The APRS-IS client protocol: a login line, then one packet per line in TNC-2 form; lines that
// start with "#" are the server's comments (its banner, the login answer, keep-alives).
#include <cstdint>
#include <string>

#include "common/Version.h"
#include "radio/ISourceProtocol.h"

namespace druv {

inline constexpr const char* AprsIsSoftware = ProductVersionText;
// Receive only: the server takes no packets from this login.
inline constexpr int AprsIsNoPasscode = -1;

// The standard APRS-IS passcode of a call sign (the SSID does not count).
int AprsIsPasscode(std::string_view call);

class TAprsIsProtocol : public ISourceProtocol {
 public:
  // Servers send a comment every 20 s or so; two minutes of nothing is a dead link.
  static constexpr int64_t SilenceMs = 120000;
  // A server line is at most 512 bytes; anything much longer is not a packet.
  static constexpr size_t MaxLineLength = 4096;

  TAprsIsProtocol(std::string call, int passcode, std::string filter);

  std::string Name() const override { return "APRS-IS"; }
  // "user CALL pass PASSCODE vers DRUVaprs 0.97 filter FILTER" (no filter part without a filter).
  std::string Greeting() const override;
  void Feed(std::string_view bytes) override;
  void Reset() override;
  int64_t SilenceLimitMs() const override { return SilenceMs; }
  // "MYCALL>DEST,TCPIP*:info"; refused without a passcode.
  TEncodedRec Encode(const TOwnPacketRec& packet) const override;

 private:
  void EndLine();

  std::string Call_, Filter_;
  int Passcode_;
  std::string Line_;
  bool Discarding_ = false;
};

}  // namespace druv
