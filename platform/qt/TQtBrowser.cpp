#include "platform/qt/TQtBrowser.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/QtText.h"

namespace druv {

bool TQtBrowser::Open(const std::string& urlOrPath) {
  QString s = ToQString(urlOrPath);
  QUrl url = s.contains("://") ? QUrl(s) : QUrl::fromLocalFile(s);
  return QDesktopServices::openUrl(url);
}

}  // namespace druv
