#include "tiles/LocatorFiles.h"

#include <string_view>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "tiles/TileMath.h"

namespace druv {

const char* LocatorExtension(TLocatorFormat format) {
  switch (format) {
    case lfUiView: return ".inf";
    case lfXastir: return ".geo";
    case lfDruv: break;
  }
  return ".txt";
}

std::string WestPositiveLonText(double lon) { return ThreeDecimalText(-lon); }

std::string LocatorFileText(TLocatorFormat format, const TTileBlockRec& block, const std::string& mapName) {
  const TCornerRec& nw = block.NorthWest;
  const TCornerRec& se = block.SouthEast;
  switch (format) {
    case lfUiView:
      return JoinLinesCrLf({nw.LonDm + ", " + nw.LatDm, se.LonDm + ", " + se.LatDm, mapName});
    case lfXastir: {
      const bool large = block.Large;
      return JoinLinesCrLf({
          "FILENAME   " + mapName + ".jpg",
          "#          x          y        lon         lat",
          "TIEPOINT   0          0        " + nw.LonText + "      " + nw.LatText,
          (large ? "TIEPOINT   1279        768      " : "TIEPOINT   767        767      ") + se.LonText + "     " +
              se.LatText,
          large ? "IMAGESIZE  1280        768" : "IMAGESIZE  768        768",
      });
    }
    case lfDruv: break;
  }
  return JoinLinesCrLf({WestPositiveLonText(nw.Lon) + "," + WestPositiveLonText(se.Lon) + "," + se.LatText + "," +
                        nw.LatText + "," + mapName});
}

std::string LocateToolLocatorText(double westPositiveWest, double westPositiveEast, double south, double north,
                                  const std::string& fileName) {
  return JoinLinesCrLf({FormatGeneral(westPositiveWest) + ",  " + FormatGeneral(westPositiveEast) + ",  " +
                        FormatGeneral(south) + ",  " + FormatGeneral(north) + "," + fileName});
}

void CheckMapFileName(const std::string& name) {
  auto refuse = [&name](const std::string& why) {
    throw Error("\"" + name + "\" cannot be used as a map name: " + why);
  };
  if (name.empty()) throw Error("Please give the map a name.");
  if (name.find("..") != std::string::npos) refuse("it must not contain \"..\".");
  for (unsigned char c : name) {
    if (c == '/' || c == '\\') refuse("it must not contain \"/\" or \"\\\" (a name, not a path).");
    if (c < 0x20 || c == 0x7F) refuse("it must not contain control characters.");
    if (std::string_view("<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
      refuse(std::string("the character ") + static_cast<char>(c) + " is not allowed in file names.");
  }
  if (name.back() == '.' || name.back() == ' ') refuse("it must not end with a dot or a blank.");
}

}  // namespace druv
