#pragma once
// The decode of one "$GPRMC" sentence as the GPS window receives it, and the own position, time and
// locator taken from it.
#include <optional>
#include <string>
#include <string_view>

namespace druv {

// The last fix, process-wide: decimal degrees (north and east positive) and hours since midnight
// UTC; 0 until a sentence brings them. Written on the UI thread only.
extern double GpsLatitude;
extern double GpsLongitude;
extern double GpsTimeHours;

// ddmm.mmmm (or dddmm.mmmm) to decimal degrees; 0 for a text that is no number.
double GpsNmeaToDegrees(std::string_view text);
// hhmmss.ss to hours; 0 for a text that is no number.
double GpsTimeToHours(std::string_view text);
// ddmmyy to mm/dd/yy.
std::string GpsDate(std::string_view ddmmyy);
// The 6-character Maidenhead locator with lower-case sub-square letters ("JN58sc").
std::string GpsGrid(double latitude, double longitude);

struct TGpsPositionRec {
  double Latitude = 0, Longitude = 0;
  std::string ComposerLatitude, ComposerLongitude;  // general number format, for the composer
  std::string LatitudeLabel, LongitudeLabel;        // "%8.6f"
  std::string Locator;
};

struct TGpsTimeRec {
  double Hours = 0;
  std::string TimeLabel;  // hh:mm:ss.ss
  std::string DateLabel;  // mm/dd/yy
};

struct TGpsSentenceRec {
  // Status "V": the receiver has no fix; its position fields are not to be trusted.
  bool Void = false;
  // Set when both coordinates read as numbers within range and the fix is not void.
  std::optional<TGpsPositionRec> Position;
  // Set when the time field, taken by its character positions 8 to 16, reads as a number.
  std::optional<TGpsTimeRec> Time;
};

// Throws druv::Error (the text of the standard error box) for a sentence of fewer than 10 fields.
// The checksum is not looked at here (NmeaChecksumMismatch).
TGpsSentenceRec DecodeGpsSentence(std::string_view sentence);

// Puts a decoded sentence's position and time into the process-wide values.
void ApplyGpsSentence(const TGpsSentenceRec& sentence);

}  // namespace druv
