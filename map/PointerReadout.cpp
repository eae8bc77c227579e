#include "map/PointerReadout.h"

#include <cmath>

#include "common/Error.h"
#include "common/Numbers.h"
#include "parser/Decoders.h"

namespace druv {

std::string PointerReadout(double degrees) {
  if (!std::isfinite(degrees)) return {};
  std::string text = FormatGeneral(degrees);
  if (text.find('E') != std::string::npos) return "0.00";
  const size_t dot = text.find('.');
  if (dot == std::string::npos) return text;
  return text.substr(0, dot + 3);
}


std::string ReadoutGrid(const std::string& latitudeText, const std::string& longitudeWestText) {
  const double lat = StrToFloat(latitudeText);
  const double lonWest = StrToFloat(longitudeWestText);
  return LatLonToGrid(-lonWest, lat);
}

std::string InvertedSign(const std::string& text) {
  if (!text.empty() && text[0] == '-') return text.substr(1);
  return "-" + text;
}

}  // namespace druv
