#pragma once
// The locator files the map maker and the locate tool write beside a map image, in this
// station's own format and in the formats of UI-View and Xastir. Every line ends with CR LF.
#include <string>

#include "tiles/TTileBlock.h"

namespace druv {

enum TLocatorFormat { lfDruv, lfUiView, lfXastir };

// ".txt", ".inf", ".geo"
const char* LocatorExtension(TLocatorFormat format);

// The texts of a tile map's locator file.
std::string LocatorFileText(TLocatorFormat format, const TTileBlockRec& block, const std::string& mapName);

// A longitude as this station's locator files count it: positive West, three decimals.
std::string WestPositiveLonText(double lon);

// The locate tool's line: west and east bounds positive West, south and north as signed
// latitudes, in the general number format; fileName includes ".txt".
std::string LocateToolLocatorText(double westPositiveWest, double westPositiveEast, double south, double north,
                                  const std::string& fileName);

// Throws druv::Error with a user-readable text when name cannot serve as a file name in the
// Maps folder: empty, a path separator, "..", a character not valid in file names, or a
// trailing dot or blank (dropped by some file systems, so the file would get another name).
void CheckMapFileName(const std::string& name);

}  // namespace druv
