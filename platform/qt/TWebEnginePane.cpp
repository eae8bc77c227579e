#include "platform/qt/TWebEnginePane.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace druv {

TWebEnginePane::TWebEnginePane(QWidget* parent) : TWebPane(parent), View_(new QWebEngineView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(View_);
  // A page that fails to load reports nothing: the waiting cursor stays until one loads.
  connect(View_, &QWebEngineView::loadFinished, this, [this](bool ok) {
    if (ok) emit PageLoaded();
  });
  connect(View_->page()->profile(), &QWebEngineProfile::downloadRequested, this,
          [this](QWebEngineDownloadRequest* download) {
            if (download->page() != View_->page()) return;
            if (!DownloadFolder_.isEmpty()) download->setDownloadDirectory(DownloadFolder_);
            download->accept();
            emit DownloadStarted(download->downloadFileName());
          });
  View_->installEventFilter(this);
}

void TWebEnginePane::OpenUrl(const QString& url) {
  View_->setUrl(QUrl(url));
  // The widget that takes the keyboard exists once the view renders.
  if (QWidget* proxy = View_->focusProxy()) proxy->installEventFilter(this);
}

bool TWebEnginePane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) emit FocusGained();
  if (event->type() == QEvent::ChildAdded)
    if (QWidget* proxy = View_->focusProxy()) proxy->installEventFilter(this);
  return TWebPane::eventFilter(watched, event);
}

}  // namespace druv
