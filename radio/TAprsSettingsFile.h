#pragma once
// "aprssettings.txt": the composer fields and the TNC parameter lines, thirteen lines in a fixed
// order that differs from the order the parameters are sent in.
#include <string>
#include <vector>

#include "radio/TTncParameters.h"

namespace druv {

struct TComposerTextsRec {
  std::string Latitude = "32.5677";
  std::string Longitude = "-97.2658";
  std::string Comment = "your message";
};

struct TAprsSettingsRec {
  TComposerTextsRec Composer;
  TTncParametersRec Tnc;
};

inline constexpr const char* AprsSettingsFileName = "aprssettings.txt";
inline constexpr int AprsSettingsLineCount = 13;

std::vector<std::string> AprsSettingsToLines(const TAprsSettingsRec& s);
// Throws druv::Error when fewer than thirteen lines are given; later lines are ignored.
TAprsSettingsRec AprsSettingsFromLines(const std::vector<std::string>& lines);

// Whole-file read and write beside the executable (or in folder); both throw druv::Error.
TAprsSettingsRec LoadAprsSettings(const std::string& path);
void SaveAprsSettings(const std::string& path, const TAprsSettingsRec& s);

}  // namespace druv
