#include "stations/ui/TStnDataFm.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "platform/qt/QtText.h"
#include "stations/WeatherText.h"

namespace druv {

namespace {
QLabel* MakeLabel(const char* name, const QString& text, QRect geometry, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(geometry);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return l;
}
}  // namespace

TStnDataFm::TStnDataFm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("TStnDataFm");
  setWindowTitle("Station Information");
  // Laid out by position: the text box shows when the window is expanded, the weather list and
  // the packet label when another window widens it.
  Label1 = MakeLabel("Label1", "not found", QRect(8, 6, 140, 18), this);
  Label2 = MakeLabel("Label2", QString(), QRect(156, 6, 90, 18), this);
  Label3 = MakeLabel("Label3", "Course: ", QRect(252, 6, 90, 18), this);
  Label4 = MakeLabel("Label4", "Speed: ", QRect(344, 6, 90, 18), this);
  Label5 = MakeLabel("Label5", "Unable to resolve station coordinates. Try clicking again.", QRect(8, 28, 423, 36), this);
  Label5->setWordWrap(true);
  Label6 = MakeLabel("Label6", QString(), QRect(8, 70, 140, 18), this);
  Label7 = MakeLabel("Label7", "Label7", QRect(DesignWidth + 8, 6, 560, 18), this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(8, DesignHeight + 24, 423, 320);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setAccessibleName("Weather");
  ListBox1->setGeometry(DesignWidth + 1, 28, 178, 340);
  CheckBox1 = new QCheckBox("Expand", this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setToolTip("Show more detail");
  CheckBox1->setGeometry(252, 70, 90, 20);
  Button1 = new QPushButton("WX", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(344, 68, 60, 24);
  Button1->hide();
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] {
    try {
      Button1Click();
    } catch (const std::exception&) {
      // The breakdown stops; the list stays empty.
    }
  });

  resize(DesignWidth, DesignHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(DesignWidth / 2, DesignHeight / 2));
}

void TStnDataFm::CheckBox1Click() { resize(width(), CheckBox1->isChecked() ? ExpandedHeight : CollapsedHeight); }

void TStnDataFm::Button1Click() {
  ListBox1->clear();
  const auto items = WeatherBreakdown(FromQString(Label7->text()), FromQString(Label1->text()));
  for (const auto& item : items) ListBox1->addItem(ToQString(item));
}

void TStnDataFm::ClearMemo() { Memo1->clear(); }

void TStnDataFm::AddToMemo(const std::string& cp1252Text) { AppendMemoText(Memo1, cp1252Text); }

void AppendMemoText(QPlainTextEdit* memo, const std::string& cp1252Text) {
  QString text = ToQString(cp1252Text);
  text.replace("\r\n", "\n");
  if (text.endsWith('\n')) text.chop(1);
  memo->appendPlainText(text);
}

}  // namespace druv
