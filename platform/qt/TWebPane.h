#pragma once
// The embedded web browser of the locate tool: Qt WebEngine when the build has it, otherwise a
// pane that hands the address to the system browser. The notices are what each can give: the
// system browser's pane reports a page as loaded once it has handed it over, and never reports
// focus or downloads (the browser saves those itself).
#include <QString>
#include <QWidget>
#include <functional>

namespace druv {

class TWebPane : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  virtual void OpenUrl(const QString& url) = 0;
  virtual bool IsEmbedded() const = 0;
  // Where allowed downloads are saved (the embedded browser only).
  virtual void SetDownloadFolder(const QString& folder) = 0;

 signals:
  void PageLoaded();
  void FocusGained();
  void DownloadStarted(const QString& fileName);
};

// openInSystemBrowser serves the pane without an embedded browser.
TWebPane* CreateWebPane(std::function<void(const QString& url)> openInSystemBrowser, QWidget* parent = nullptr);

}  // namespace druv
