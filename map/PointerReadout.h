#pragma once
// What the map shows of the position under the pointer.
#include <string>

namespace druv {

// A coordinate as the pointer readout shows it: the general number text (up to 15 significant
// digits) cut after the second digit behind the point, not rounded (33.1191 reads 33.11, -0.5 reads
// -0.5). A whole number keeps all its digits; a value so small that it prints in exponent form
// reads 0.00; no value at all reads empty.
std::string PointerReadout(double degrees);

// The 6-character locator of two readouts taken back as numbers, the longitude counted positive
// West. Throws druv::Error when a readout is not a number.
std::string ReadoutGrid(const std::string& latitudeText, const std::string& longitudeWestText);

// The longitude readout as the nearest-station search takes it (East positive): a leading "-"
// removed, otherwise one put in front.
std::string InvertedSign(const std::string& text);

}  // namespace druv
