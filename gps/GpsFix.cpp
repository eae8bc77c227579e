#include "gps/GpsFix.h"

#include <cmath>

#include "common/Error.h"
#include "common/Numbers.h"
#include "gps/GpsNmea.h"
#include "parser/Decoders.h"

namespace druv {

double GpsLatitude = 0;
double GpsLongitude = 0;
double GpsTimeHours = 0;

namespace {

// A finite number, or nothing ("nan" and "inf" are no coordinates).
std::optional<double> ReadNumber(std::string_view text) {
  auto v = ParseDouble(text);
  if (v && !std::isfinite(*v)) return std::nullopt;
  return v;
}

// Characters from position `from` (counted from 1), at most `count` of them; short texts give less.
std::string_view Mid(std::string_view s, size_t from, size_t count = std::string_view::npos) {
  if (from < 1 || from > s.size()) return {};
  return s.substr(from - 1, count);
}

constexpr size_t kMinFields = 10;

}  // namespace

double GpsNmeaToDegrees(std::string_view text) {
  const double v = ReadNumber(text).value_or(0);
  const double d = std::trunc(v / 100);
  return d + (v - 100 * d) / 60;
}

double GpsTimeToHours(std::string_view text) {
  const double v = ReadNumber(text).value_or(0);
  const double h = std::trunc(v / 10000);
  const double r = v - 10000 * h;
  const double m = std::trunc(r / 100);
  const double s = r - 100 * m;
  return h + m / 60 + s / 3600;
}

std::string GpsDate(std::string_view ddmmyy) {
  std::string out(Mid(ddmmyy, 3, 2));
  out += '/';
  out += Mid(ddmmyy, 1, 2);
  out += '/';
  out += Mid(ddmmyy, 5);
  return out;
}

std::string GpsGrid(double latitude, double longitude) {
  std::string grid = LatLonToGrid(longitude, latitude);
  for (size_t i = 4; i < grid.size(); ++i)
    if (grid[i] >= 'A' && grid[i] <= 'Z') grid[i] = static_cast<char>(grid[i] - 'A' + 'a');
  return grid;
}

TGpsSentenceRec DecodeGpsSentence(std::string_view s) {
  const std::vector<std::string> f = SplitNmeaFields(s);
  if (f.size() < kMinFields)
    throw Error("Incomplete GPS sentence: " + FormatInt(static_cast<long long>(f.size())) + " fields, " +
                FormatInt(kMinFields) + " expected.");
  TGpsSentenceRec r;
  r.Void = f[2] == "V";

  // The time is taken by character position: it reads only when written hhmmss.ss.
  const std::string_view t = Mid(s, 8, 9);
  if (ReadNumber(t)) {
    TGpsTimeRec time;
    time.Hours = GpsTimeToHours(t);
    time.TimeLabel = std::string(Mid(s, 8, 2)) + ":" + std::string(Mid(s, 10, 2)) + ":" + std::string(Mid(s, 12, 5));
    time.DateLabel = GpsDate(f[9]);
    r.Time = std::move(time);
  }

  if (!r.Void && ReadNumber(f[3]) && ReadNumber(f[5])) {
    TGpsPositionRec p;
    p.Latitude = GpsNmeaToDegrees(f[3]);
    p.Longitude = GpsNmeaToDegrees(f[5]);
    if (f[4] == "S") p.Latitude = -p.Latitude;
    if (f[6] == "W") p.Longitude = -p.Longitude;
    // Beyond the poles or the date line it is noise, not a place to beacon.
    if (std::fabs(p.Latitude) <= 90 && std::fabs(p.Longitude) <= 180) {
      p.ComposerLatitude = FormatGeneral(p.Latitude);
      p.ComposerLongitude = FormatGeneral(p.Longitude);
      // "%8.6f": six decimals never leave fewer than 8 characters, so no padding is needed.
      p.LatitudeLabel = FormatFixed(p.Latitude, 6);
      p.LongitudeLabel = FormatFixed(p.Longitude, 6);
      p.Locator = GpsGrid(p.Latitude, p.Longitude);
      r.Position = std::move(p);
    }
  }
  return r;
}

void ApplyGpsSentence(const TGpsSentenceRec& s) {
  if (s.Position) {
    GpsLatitude = s.Position->Latitude;
    GpsLongitude = s.Position->Longitude;
  }
  if (s.Time) GpsTimeHours = s.Time->Hours;
}

}  // namespace druv
