#pragma once
// Constant tables of the PHG, RNG and DFS extensions and of the status beam data, shared by the
// decoders and the packet renderings. The routines themselves are declared in parser/Decoders.h.
#include <array>
#include <cstdint>
#include <string_view>

namespace druv {

// Antenna heading names by directivity digit 0 to 8 (digit × 45 degrees).
extern const std::array<std::string_view, 9> HeadingNames;

// Antenna height in feet by PHG/DFS height digit: round(2^h × 10).
extern const std::array<int32_t, 10> AntennaHeightTable;
// Gain factor used for the range by gain digit (dB): round(10^(g/10)).
extern const std::array<int32_t, 10> GainFactorTable;

// Status beam data "^hw": h steps of 10 degrees, w a power of 10 × n² watts, n counted from 1.
inline constexpr std::string_view BeamHeadingChars = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view BeamPowerChars = "123456789:;<=>?@ABCDEFGHIJK";
// Watts by 0-based position in BeamPowerChars.
extern const std::array<int32_t, BeamPowerChars.size()> BeamPowerTable;

// Both upper-case the character first; a character outside the table gives 0.
int32_t BeamHeading(char c);  // degrees
int32_t BeamPower(char c);    // watts

}  // namespace druv
