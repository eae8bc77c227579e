#pragma once
// The start window: the terms of use and the "START APRS" button. It is the application's main
// window; closing it ends the program.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace druv {

class IDialogs;

class TDRUVform : public QWidget {
  Q_OBJECT
 public:
  // Sets the process-wide decimal point, then shows the terms notice through dialogs. The window
  // itself is shown by whoever creates it, once the other windows exist.
  explicit TDRUVform(IDialogs& dialogs, QWidget* parent = nullptr);

  // "." for every number Qt or the C library formats or parses, whatever the user's locale.
  static void SetPointDecimalSeparator();

  static const char* const TermsNotice;

  QPushButton* Button1;    // "START APRS"
  QPlainTextEdit* Memo1;   // terms of use
  QLabel* Label1;
  QLabel* Label2;

 signals:
  // "START APRS": show the main working window.
  void StartAprs();
  // The window was closed: the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Button1Click();
};

}  // namespace druv
