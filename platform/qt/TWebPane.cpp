#include "platform/qt/TWebPane.h"

#include <QLabel>
#include <QVBoxLayout>

#ifdef DRUV_HAVE_WEBENGINE
#include "platform/qt/TWebEnginePane.h"
#endif

namespace druv {

namespace {

class TSystemBrowserPane : public TWebPane {
 public:
  TSystemBrowserPane(std::function<void(const QString&)> open, QWidget* parent)
      : TWebPane(parent), Open_(std::move(open)) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        "The web page opens in your web browser. Save the exported map picture into the Maps folder beside "
        "this program.");
    text->setObjectName("SystemBrowserNote");
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
  }
  void OpenUrl(const QString& url) override {
    Open_(url);
    emit PageLoaded();
  }
  bool IsEmbedded() const override { return false; }
  void SetDownloadFolder(const QString&) override {}

 private:
  std::function<void(const QString&)> Open_;
};

}  // namespace

TWebPane* CreateWebPane(std::function<void(const QString& url)> openInSystemBrowser, QWidget* parent) {
#ifdef DRUV_HAVE_WEBENGINE
  (void)openInSystemBrowser;
  return new TWebEnginePane(parent);
#else
  return new TSystemBrowserPane(std::move(openInSystemBrowser), parent);
#endif
}

}  // namespace druv
