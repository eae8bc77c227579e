// PHG, RNG and DFS extensions at the start of the comment, and the range estimate they share.
#include "parser/Extensions.h"

#include <cmath>
#include <string_view>

#include "common/Numbers.h"
#include "common/Text.h"
#include "parser/Decoders.h"
#include "parser/ParserText.h"

namespace druv {

using namespace std::string_view_literals;

bool RelaxedPHG = true;

const std::array<std::string_view, 9> HeadingNames = {"OMNI"sv, "NE"sv, "E"sv,  "SE"sv, "S"sv,
                                                      "SW"sv,   "W"sv,  "NW"sv, "N"sv};

const std::array<int32_t, 10> AntennaHeightTable = {10, 20, 40, 80, 160, 320, 640, 1280, 2560, 5120};
const std::array<int32_t, 10> GainFactorTable = {1, 1, 2, 2, 3, 3, 4, 5, 6, 8};

namespace {

using namespace parsertext;

constexpr std::array<int32_t, BeamPowerChars.size()> MakeBeamPowerTable() {
  std::array<int32_t, BeamPowerChars.size()> t{};
  for (size_t i = 0; i < t.size(); ++i) t[i] = static_cast<int32_t>(10 * (i + 1) * (i + 1));
  return t;
}

constexpr int DigitOr(char c, int fallback) { return IsDigit(c) ? c - '0' : fallback; }

bool StartsNoCase(std::string_view s, std::string_view upperWord) {
  if (s.size() < upperWord.size()) return false;
  for (size_t i = 0; i < upperWord.size(); ++i)
    if (UpperChar(s[i]) != upperWord[i]) return false;
  return true;
}

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

// Height, gain and directivity from characters 2 to 4 of an extension of at least 4 characters;
// returns the gain factor for the range.
int AntennaDigits(std::string_view s, TAntenna& antenna) {
  const int h = DigitOr(s[1], 0);
  const int g = DigitOr(s[2], 0);
  int d = DigitOr(s[3], 0);
  if (d > 8) d = 0;
  antenna.Height = AntennaHeightTable[h];
  antenna.Gain = g;
  antenna.Heading = d * 45;
  antenna.HeadingStr = HeadingNames[d];
  return GainFactorTable[g];
}

}  // namespace

const std::array<int32_t, BeamPowerChars.size()> BeamPowerTable = MakeBeamPowerTable();

int32_t BeamHeading(char c) {
  const size_t i = BeamHeadingChars.find(UpperChar(c));
  return i == std::string_view::npos ? 0 : static_cast<int32_t>(10 * (i + 1));
}

int32_t BeamPower(char c) {
  const size_t i = BeamPowerChars.find(UpperChar(c));
  return i == std::string_view::npos ? 0 : BeamPowerTable[i];
}

float PHGRange(int power, int height, int gainFactor) {
  const double r = std::sqrt(std::sqrt(power / 10.0) * (2.0 * height) * (gainFactor / 2.0));
  return static_cast<float>(r);
}

namespace {
// Every position without an extension gets this range; worked out once.
const float kDefaultRange = PHGRange(10, 10, GainFactorTable[3]);
}  // namespace

void ParsePHG(TAprsPacket& packet) {
  TStationCapabilitiesRec& caps = packet.StationCapabilities;
  const std::string_view c = packet.Comment;
  std::string_view s;
  if (StartsNoCase(c, "PHG")) {
    s = TrimView(SubView(c, 3, 5));
  } else if (RelaxedPHG) {
    const size_t p = FindNoCase(c, "PHG");
    if (p != std::string_view::npos) {
      caps.NonStandard = true;
      s = TrimView(SubView(c, p + 3, 4));
      if (s.size() != 4 || !AllDigits(s)) s = {};
    }
  }

  if (!s.empty()) {
    if (s.size() < 4) return;
    if (s.size() == 5) {
      if (IsDigit(s[4]))
        caps.BeaconRate = s[4] - '0';
      else
        s.remove_suffix(1);
    }
    caps.PHGValue.assign("PHG");
    caps.PHGValue.append(s);
    const int p = DigitOr(s[0], 1);
    caps.Power = p * p;
    const int gainFactor = AntennaDigits(s, caps.Antenna);
    caps.RadioRange = PHGRange(p * p, caps.Antenna.Height, gainFactor);
    caps.Valid = true;
    return;
  }

  if (StartsNoCase(c, "RNG")) {
    const std::string_view r = TrimView(SubView(c, 3, 4));
    if (r.size() == 4) {
      caps.PHGValue.assign("RNG");
      caps.PHGValue.append(r);
      caps.RadioRange = static_cast<float>(ParseInt(r).value_or(0));
      caps.Valid = true;
    }
    return;
  }

  // Assumed defaults only for a station that told us nothing: capabilities already decoded
  // (status beam data, a compressed range) must not be overwritten by guesses.
  if (!packet.ViaInternet && packet.Position.Valid && packet.DataTypeID != dtBeacon && !caps.Valid) {
    caps.DefaultValues = true;
    caps.Power = 10;
    caps.Antenna.Height = packet.Position.MobileUnit ? 10 : 20;
    caps.Antenna.Gain = 3;
    caps.Antenna.Heading = 0;
    caps.Antenna.HeadingStr = HeadingNames[0];
    caps.RadioRange = kDefaultRange;
    caps.Valid = true;
  }
}

void ParseDFS(TAprsPacket& packet) {
  const std::string_view c = packet.Comment;
  if (!StartsNoCase(c, "DFS")) return;
  const std::string_view s = TrimView(SubView(c, 3, 4));
  if (s.size() != 4) return;

  TDFReportRec& df = packet.DFReport;
  df.DFSValue.assign("DFS");
  df.DFSValue.append(s);
  int sig = DigitOr(s[0], 0);
  if (sig == 0) sig = 1;
  df.Signal = sig;
  const auto root = static_cast<int32_t>(RoundHalfEven(10.0 / sig));
  df.Power = root * root;
  const int gainFactor = AntennaDigits(s, df.Antenna);
  df.RadioRange = PHGRange(df.Power, df.Antenna.Height, gainFactor);
  df.Valid = true;
}

}  // namespace druv
