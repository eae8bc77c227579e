#pragma once
// The one pair of helpers for crossing the window boundary: 8-bit code page 1252 <-> QString.
#include <QString>
#include <string>

#include "common/Text.h"

namespace druv {

inline QString ToQString(const std::string& cp1252) {
  QString s;
  s.reserve(static_cast<qsizetype>(cp1252.size()));
  for (unsigned char c : cp1252) s.append(QChar(static_cast<char16_t>(Cp1252ToCodePoint(c))));
  return s;
}

inline std::string FromQString(const QString& s) {
  std::string out;
  out.reserve(static_cast<size_t>(s.size()));
  for (QChar c : s) out += CodePointToCp1252(c.unicode());
  return out;
}

}  // namespace druv
