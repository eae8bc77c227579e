#pragma once
// The station information window: one station's call, grid, course, speed, comment, symbol name,
// packet text, a free text box and, for weather stations, the weather breakdown. Created hidden
// at start-up and kept for the life of the process; closing it only hides it. Other windows fill it.
#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace druv {

class TStnDataFm : public QWidget {
  Q_OBJECT
 public:
  explicit TStnDataFm(QWidget* parent = nullptr);

  static constexpr int DesignWidth = 439, DesignHeight = 97;
  static constexpr int ExpandedHeight = 455, CollapsedHeight = 119;

  QLabel* Label1;  // station
  QLabel* Label2;  // grid
  QLabel* Label3;  // course
  QLabel* Label4;  // speed
  QLabel* Label5;  // comment
  QLabel* Label6;  // symbol name
  QLabel* Label7;  // packet text
  QPlainTextEdit* Memo1;
  QListWidget* ListBox1;  // weather breakdown
  QCheckBox* CheckBox1;   // "Expand"
  QPushButton* Button1;   // hidden "WX"

  // The "WX" command: the weather values of the packet label, headed by the station label.
  // Throws druv::Error when the character after the packet's first "t" is no number.
  void Button1Click();
  void CheckBox1Click();
  // Memo1 as the text boxes of the other windows fill it: emptied, or a text added as lines.
  void ClearMemo();
  void AddToMemo(const std::string& cp1252Text);
};

// Adds an 8-bit text ended by CR LF to a text box as its lines, without an empty last line.
void AppendMemoText(QPlainTextEdit* memo, const std::string& cp1252Text);

}  // namespace druv
