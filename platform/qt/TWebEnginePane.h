#pragma once
// The locate tool's browser over Qt WebEngine (built only when the build finds it).
#include "platform/qt/TWebPane.h"

class QWebEngineView;

namespace druv {

class TWebEnginePane : public TWebPane {
  Q_OBJECT
 public:
  explicit TWebEnginePane(QWidget* parent = nullptr);
  void OpenUrl(const QString& url) override;
  bool IsEmbedded() const override { return true; }
  void SetDownloadFolder(const QString& folder) override { DownloadFolder_ = folder; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWebEngineView* View_;
  QString DownloadFolder_;
};

}  // namespace druv
