#pragma once
// A packet of this station for a source other than the TS-2000, addressed as the TNC settings
// panel says: from MYCALL to the UNPROTO destination over the UNPROTO path.
#include <string>
#include <string_view>
#include <vector>

#include "radio/TTncParameters.h"

namespace druv {

struct TOwnPacketRec {
  std::string Source;
  std::string Destination;
  std::vector<std::string> Path;
  std::string Info;
};

struct TUnprotoRec {
  std::string Destination;
  std::vector<std::string> Path;
};
// "UNPROTO  APRS VIA WIDE1-1,WIDE2-1" gives APRS over WIDE1-1 and WIDE2-1 (also "V", and blanks
// between the digipeaters).
TUnprotoRec ParseUnproto(std::string_view unprotoText);

TOwnPacketRec OwnPacket(const TTncParametersRec& tnc, std::string info);

// Line breaks or NUL would split or end a packet on every transport; an empty one says nothing.
bool IsSendableInfo(std::string_view info);

}  // namespace druv
