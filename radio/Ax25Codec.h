#pragma once
// AX.25 frames (addresses, control, PID, information; no flags, no FCS) to and from monitor
// lines in TNC-2 form: "SRC>DEST,DIGI1*,DIGI2:info". A digipeater that has repeated the frame
// carries the "has been repeated" bit; the line marks the last such one with "*".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace druv {

inline constexpr size_t Ax25MaxDigipeaters = 8;

enum TFrameVerdict : unsigned char {
  fvLine,       // an APRS frame: UI, no layer 3
  fvNotAprs,    // a well-formed frame of another kind (connected mode, NET/ROM, ...)
  fvMalformed,  // not an AX.25 frame at all
};

struct TFrameDecodeRec {
  TFrameVerdict Verdict = fvMalformed;
  std::string Line;  // the monitor line, for fvLine; information bytes kept as they came
};

TFrameDecodeRec Ax25ToMonitorLine(std::string_view frame);

// A UI frame from source to destination over path; a path entry ending in "*" has repeated the
// frame, and so have all before it. Nothing when a call sign is not a valid AX.25 address
// (one to six letters or digits, SSID 0 to 15) or the path is longer than eight.
std::optional<std::string> Ax25UiFrame(std::string_view source, std::string_view destination,
                                       const std::vector<std::string>& path, std::string_view info);
// The same from a whole monitor line; nothing when its header is not a valid address list.
std::optional<std::string> MonitorLineToAx25(std::string_view line);

// "QQ5AAA-9" is a valid AX.25 address; "QQ5AAA-16", "TCPIP*" (with the star) and "qAC" are not.
bool IsAx25Address(std::string_view call);

}  // namespace druv
