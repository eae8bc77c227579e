#pragma once
// The symbol sheet window: the symbol index spin box (1 to 120), the table switch, the symbol of
// the current index, and the sheet it is cut from. The map sets the index for every station it
// draws, so the window shows the last symbol drawn. Created hidden at start-up and kept for the
// life of the process; closing it only hides it.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace druv {

class IDialogs;
class TSymbolSheet;

class TsymbolFm : public QWidget {
  Q_OBJECT
 public:
  TsymbolFm(TSymbolSheet& sheet, IDialogs& dialogs, QWidget* parent = nullptr);
  ~TsymbolFm() override;

  // Sets the spin box, which runs the index change when the value differs.
  void SetIndex(int index);
  TSymbolSheet& Sheet() { return Sheet_; }

  QSpinBox* SpinEdit1;    // the index
  QCheckBox* CheckBox1;   // checked: primary table "/"
  QLabel* Image1;         // the current symbol, stretched, white transparent
  QLabel* Image2;         // the sheet, as loaded at creation, magenta transparent
  QLabel* Image3;         // empty
  QPushButton* Button4;   // no action

 private:
  void IndexChanged(int value);
  // The widgets follow the sheet once the event loop runs again, however often a plot changed it.
  void ScheduleSync();
  void Sync();

  TSymbolSheet& Sheet_;
  IDialogs& Dialogs_;
  bool SyncPending_ = false;
};

}  // namespace druv
