#include "radio/TAprsSettingsFile.h"

#include "common/Error.h"
#include "common/Files.h"

namespace druv {

std::vector<std::string> AprsSettingsToLines(const TAprsSettingsRec& s) {
  const auto& t = s.Tnc;
  return {s.Composer.Latitude, s.Composer.Longitude, s.Composer.Comment, t.Unproto, t.MyCall, t.HBaud,
          t.Flow,              t.PacTime,            t.PacLen,           t.XFlow,   t.Mon,    t.MCom,
          t.MCon};
}

TAprsSettingsRec AprsSettingsFromLines(const std::vector<std::string>& l) {
  if (l.size() < static_cast<size_t>(AprsSettingsLineCount))
    throw Error("List index out of bounds (" + std::to_string(l.size()) + ")");
  TAprsSettingsRec s;
  s.Composer = {l[0], l[1], l[2]};
  auto& t = s.Tnc;
  t.Unproto = l[3];
  t.MyCall = l[4];
  t.HBaud = l[5];
  t.Flow = l[6];
  t.PacTime = l[7];
  t.PacLen = l[8];
  t.XFlow = l[9];
  t.Mon = l[10];
  t.MCom = l[11];
  t.MCon = l[12];
  return s;
}

TAprsSettingsRec LoadAprsSettings(const std::string& path) {
  auto lines = ReadLines(path);
  if (!lines) throw Error("Cannot open file \"" + path + "\". No such file or directory");
  return AprsSettingsFromLines(*lines);
}

void SaveAprsSettings(const std::string& path, const TAprsSettingsRec& s) {
  WriteFileAtomic(path, JoinLinesCrLf(AprsSettingsToLines(s)));
}

}  // namespace druv
