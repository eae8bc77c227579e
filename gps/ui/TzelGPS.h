#pragma once
// The GPS receiver window: reads "$GPRMC" (or "$GNRMC") sentences from a serial port of its own,
// shows position, UTC time, date and locator, and hands every fix to the position composer. Created
// hidden at start-up and kept for the life of the process; closing it only hides it (the port stays
// as it is).
#include <QMainWindow>
#include <QString>
#include <functional>
#include <string>

#include "platform/TSerialFramer.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace druv {

class ISerialPort;
class IDialogs;

class TzelGPS : public QMainWindow {
  Q_OBJECT
 public:
  // Gives the port the GPS defaults, loads "gps.ini" from the application folder when it exists and
  // opens the port. A port that does not open is not reported while the window is hidden: showing
  // the window reopens it and reports a failure then.
  TzelGPS(ISerialPort& gpsPort, IDialogs& dialogs, QWidget* parent = nullptr);
  ~TzelGPS() override;

  // Set by the application. Each valid fix goes to the composer's latitude and longitude inputs
  // (general number format); then "Compose" runs, after every sentence except a void fix, a short
  // sentence and one whose checksum shows it was damaged.
  std::function<void(const QString& latitude, const QString& longitude)> ComposerPositionHook;
  std::function<void()> ComposeHook;

  // The framing's delivery: one sentence from "$GPRMC" up to the next "$".
  void SentenceArrived(const std::string& sentence);

  QLineEdit* Edit1;           // the last sentence as received
  QLabel* LatitudeLabel;
  QLabel* LongitudeLabel;
  QLabel* TimeLabel;
  QLabel* DateLabel;
  QLabel* GridLabel;
  QLabel* CountyLabel;
  QLabel* StateLabel;
  QPlainTextEdit* Terminal1;  // disabled, attached to no port
  QAction* Exit1;
  QAction* SerialPortConfigure1;
  QAction* Connected1;
  QAction* NotConnected1;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildWidgets();
  void BuildMenu();
  void Exit1Click();
  void SerialPortConfigure1Click();
  void Connected1Click();
  void NotConnected1Click();
  void FormShow();
  void OpenPort();
  void ClosePort();
  void StoreSettings();
  void SyncStatusMarks();
  // Shown from the event loop, never inside the receive path, and never a second box on top of an
  // open one: a stream of bad sentences must not pile up boxes.
  void ReportError(const std::string& text);

  ISerialPort& Port_;
  IDialogs& Dialogs_;
  TSerialFramer Framer_;
  bool ErrorBoxPending_ = false;
};

}  // namespace druv
