#include "platform/qt/QtIniFile.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "common/Error.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {
QString FileName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
}  // namespace

TIniSection ReadIniSection(const std::string& path, const std::string& section) {
  TIniSection out;
  QSettings ini(FileName(path), QSettings::IniFormat);
  if (ini.status() == QSettings::AccessError) throw Error("Cannot read file " + path + ".");
  ini.beginGroup(QString::fromStdString(section));
  for (const QString& key : ini.childKeys()) {
    const QVariant v = ini.value(key);
    // An unquoted value with a comma reads back as a list.
    const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString();
    out[FromQString(key)] = FromQString(text);
  }
  return out;
}

void WriteIniSection(const std::string& path, const std::string& section, const TIniSection& values) {
  QSettings ini(FileName(path), QSettings::IniFormat);
  ini.setAtomicSyncRequired(true);
  ini.beginGroup(QString::fromStdString(section));
  ini.remove("");  // no stale keys
  for (const auto& [key, value] : values) ini.setValue(QString::fromStdString(key), ToQString(value));
  ini.endGroup();
  ini.sync();
  if (ini.status() != QSettings::NoError) throw Error("Cannot write file " + path + ".");
}

}  // namespace druv
