#pragma once
// Fixed byte sequences of the radio and its TNC.
#include <string_view>

namespace druv {

// Line ends.
inline constexpr std::string_view CrLf = "\r\n";  // typed line
inline constexpr std::string_view LfCr = "\n\r";  // terminal line

// Break-in forms: Ctrl-C, "^C" and a line end.
inline constexpr std::string_view ShortBreakIn = "\x03^C\n\r";
inline constexpr std::string_view LongBreakIn = "\x03^C\r\n\n\r";
inline constexpr std::string_view BareBreakIn = "\x03^C\r\n";

}  // namespace druv
