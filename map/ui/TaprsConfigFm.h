#pragma once
// "Configure Universal Map": rewrites the locator file of the Universal map to a 2 by 2 degree box
// around the operator's position. Created hidden at start-up and kept for the life of the
// process; closing it only hides it.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace druv {

class IDialogs;

class TaprsConfigFm : public QWidget {
  Q_OBJECT
 public:
  // The texts the edits start with; "Test" refuses exactly these.
  static constexpr const char* DefaultLatitudeText = "33.50";
  static constexpr const char* DefaultLongitudeText = "-97.250";

  explicit TaprsConfigFm(IDialogs& dialogs, QWidget* parent = nullptr);

  void TestClick();
  void ConfigureClick();

  // The operator's position as typed (the main window fills them from "qth.cfg" and saves them).
  QLineEdit* LatitudeEdit;
  QLineEdit* LongitudeEdit;
  QPushButton* TestButton;
  QPushButton* ConfigureButton;
  QPlainTextEdit* CurrentMemo;   // "Current Default map configuration:"
  QPlainTextEdit* ProposedMemo;  // "Proposed Default map configuration:"

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void LoadCurrent();
  IDialogs& Dialogs_;
};

}  // namespace druv
