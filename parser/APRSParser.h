#pragma once
// Monitor-line parsing: the two entries ParsePacket and LineDataType, and the routines around them.
#include <memory>
#include <string>
#include <string_view>

#include "parser/TAprsPacket.h"

namespace druv {

// Nothing when the header test fails or a decoding step fails. now is the UTC receive time.
std::unique_ptr<TAprsPacket> ParsePacket(std::string_view line, int16_t port, TDateTime now);
std::unique_ptr<TAprsPacket> ParsePacket(std::string_view line, int16_t port);  // now = UtcNow()
TAprsDataType LineDataType(std::string_view line);

TAprsDataType IdentifyDataType(std::string_view info);
std::string NormalizeMonitorLine(std::string_view line);
TCallsignRec ParseCallsign(std::string_view s);
// token := the text before the first delimiter, trimmed; text := the rest after it, trimmed
// (empty when no delimiter is found).
void SplitToken(std::string& text, std::string_view delimiters, std::string& token);
void ParsePath(TAprsPacket& packet, std::string_view path);
int CountHops(const TAprsPacket& packet);
void DecodeInformation(TAprsPacket& packet);

}  // namespace druv
