#include "tiles/ui/TileServerSettings.h"

#include <QSettings>

#include "common/Numbers.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TQtHttpClient.h"
#include "tiles/TMapMaker.h"

namespace druv {

TTileServerSettingsRec LoadTileServerSettings(const std::string& appFolder) {
  const std::string dir = appFolder.empty() || appFolder.back() == '/' ? appFolder : appFolder + "/";
  QSettings ini(ToQString(dir + TileServerSettingsFile), QSettings::IniFormat);
  TTileServerSettingsRec s;
  // A value with a comma would come back as a list; an address is one text.
  const QVariant base = ini.value("TileServer/BaseUrl");
  const QString baseText = base.typeId() == QMetaType::QStringList ? base.toStringList().join(',') : base.toString();
  s.BaseUrl = NormaliseTileServerBase(baseText.isEmpty() ? std::string(DefaultTileServer) : FromQString(baseText));
  if (auto seconds = ParseDouble(FromQString(ini.value("TileServer/TimeoutSeconds").toString()));
      seconds && *seconds > 0 && *seconds <= 3600)
    s.TimeoutMs = static_cast<int>(*seconds * 1000 + 0.5);
  else
    s.TimeoutMs = TQtHttpClient::DefaultTimeoutMs;
  return s;
}

}  // namespace druv
