#pragma once
// Locator files: the first line names the longitudes (positive West) of a map image's left and right
// edges and the latitudes of its bottom and top edges, "98.25,  96.25,  32.50,  34.50,  universal".
#include <string>
#include <string_view>

#include "map/Projection.h"

namespace druv {

// Fields 1 to 4 of a first line into West, East, South and North, each stored as soon as it is
// read, so a failure leaves the fields before it changed and the rest as they were. The fourth
// number must be followed by a comma. Returns the text between the fourth and the fifth comma
// (the whole rest when there is no fifth). Throws druv::Error naming the field that is not a number.
std::string ParseLocatorLine(std::string_view line, TMapFrameRec& frame);

// The first line of the file (a byte-order mark selects Unicode), parsed as above; then the pixel
// extents from the picture on display. Throws druv::Error when the file cannot be read or parsed.
std::string ReadLocatorFile(const std::string& path, TMapFrameRec& frame, int pictureWidth, int pictureHeight);

// The locator file of an image: same folder and name, extension replaced by ".txt".
std::string LocatorPathFor(const std::string& imagePath);

// What "Other JPG" shows of a loaded locator line: the four numbers in general format, four blanks
// after the first and three after each of the others, then the name field.
std::string LocatorSummary(const TMapFrameRec& frame, const std::string& nameField);

// The proposal the Universal map configuration makes for an operator position: a 2 by 2 degree box
// around it. A longitude text starting with "-" is East-positive; any other is taken as degrees
// West already. Throws druv::Error when a text is not a number.
struct TUniversalProposalRec {
  double West = 0, East = 0, South = 0, North = 0;
};
TUniversalProposalRec ProposeUniversalBox(std::string_view latitudeText, std::string_view longitudeText);
// "98.25,  96.25,  32.50,  34.50,  universal"
std::string UniversalLocatorLine(const TUniversalProposalRec& box);

}  // namespace druv
