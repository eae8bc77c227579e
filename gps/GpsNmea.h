#pragma once
// NMEA 0183 sentence texts: field split and checksum.
#include <string>
#include <string_view>
#include <vector>

namespace druv {

// Fields separated by commas; blanks and line breaks (any byte up to 0x20) also separate, and runs
// of them count once. A field that starts with a double quote runs to the closing quote (a doubled
// quote stands for one). Empty fields between commas are kept.
std::vector<std::string> SplitNmeaFields(std::string_view text);

// The two upper-case hex digits of the XOR of body's bytes (the text between "$" and "*").
std::string NmeaChecksum(std::string_view body);

// True when the sentence carries two hex digits after its "*" that differ from the checksum of the
// text between its leading "$" and that "*": serial noise. A sentence without "*", or with anything
// but two hex digits after it (an "hh" placeholder), is not judged.
bool NmeaChecksumMismatch(std::string_view sentence);

}  // namespace druv
