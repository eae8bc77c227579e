#include "platform/qt/TQtBrowser.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/QtText.h"

namespace druv {

void TQtBrowser::Open(const std::string& urlOrPath) {
  QString s = ToQString(urlOrPath);
  QUrl url = s.contains("://") ? QUrl(s) : QUrl::fromLocalFile(s);
  QDesktopServices::openUrl(url);
}

}  // namespace druv
