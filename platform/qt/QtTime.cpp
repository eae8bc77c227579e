#include "platform/qt/QtTime.h"

#include <QLocale>
#include <QTime>

namespace druv {

QString LongTimeFormat() {
  const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    out += c;
  }
  out = out.trimmed();
  return out.isEmpty() ? QStringLiteral("HH:mm:ss") : out;
}

QString FormatLongTime(TDateTime t) {
  const TDateTimeParts p = DecodeDateTime(t);
  return QLocale::system().toString(QTime(p.Hour, p.Minute, p.Second, p.MilliSecond), LongTimeFormat());
}

}  // namespace druv
