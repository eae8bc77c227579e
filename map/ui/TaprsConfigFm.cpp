#include "map/ui/TaprsConfigFm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/Files.h"
#include "map/LocatorFile.h"
#include "platform/IDialogs.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {
std::string UniversalLocatorPath() { return AppPath("Maps/universal.txt"); }

QPlainTextEdit* Memo(const char* title, const char* objectName, QGridLayout* grid, int row, QWidget* parent) {
  auto* label = new QLabel(title, parent);
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(objectName);
  memo->setAccessibleName(title);
  memo->setFixedHeight(60);
  label->setBuddy(memo);
  grid->addWidget(label, row, 0, 1, 3);
  grid->addWidget(memo, row + 1, 0, 1, 3);
  return memo;
}
}  // namespace

TaprsConfigFm::TaprsConfigFm(IDialogs& dialogs, QWidget* parent) : QWidget(parent), Dialogs_(dialogs) {
  setObjectName("TaprsConfigFm");
  setWindowTitle("Configure Universal Map");
  // Only a close button in the title bar.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* grid = new QGridLayout(this);
  auto* explanation = new QLabel(
      "This form allows you to modify the Universal Map to center on your QTH, wherever you are  in the Western "
      "hemisphere",
      this);
  explanation->setWordWrap(true);
  grid->addWidget(explanation, 0, 0, 1, 3);

  auto* latLabel = new QLabel("Your latitude:", this);
  LatitudeEdit = new QLineEdit(DefaultLatitudeText, this);
  LatitudeEdit->setObjectName("Edit1");
  LatitudeEdit->setToolTip("Enter your latitude in decimal degrees; positive value for North of Equator");
  latLabel->setBuddy(LatitudeEdit);
  auto* lonLabel = new QLabel("Your longitude:", this);
  LongitudeEdit = new QLineEdit(DefaultLongitudeText, this);
  LongitudeEdit->setObjectName("Edit2");
  LongitudeEdit->setToolTip("Enter you longitude in decimal degrees; negative value West of the Prime Meridian");
  lonLabel->setBuddy(LongitudeEdit);
  grid->addWidget(latLabel, 1, 0);
  grid->addWidget(LatitudeEdit, 1, 1);
  grid->addWidget(lonLabel, 2, 0);
  grid->addWidget(LongitudeEdit, 2, 1);

  TestButton = new QPushButton("Test", this);
  TestButton->setToolTip("Convert your lat/lon to the correct format");
  ConfigureButton = new QPushButton("Configure", this);
  ConfigureButton->setToolTip("Press to use new configuration");
  ConfigureButton->setEnabled(false);
  grid->addWidget(TestButton, 1, 2);
  grid->addWidget(ConfigureButton, 2, 2);

  CurrentMemo = Memo("Current Default map configuration:", "Memo1", grid, 3, this);
  ProposedMemo = Memo("Proposed Default map configuration:", "Memo2", grid, 5, this);

  connect(TestButton, &QPushButton::clicked, this, [this] { TestClick(); });
  connect(ConfigureButton, &QPushButton::clicked, this, [this] { ConfigureClick(); });
  resize(460, 330);
}

void TaprsConfigFm::LoadCurrent() {
  CurrentMemo->clear();
  std::optional<std::string> text = ReadFile(UniversalLocatorPath());
  if (!text) {
    Dialogs_.Error("Cannot open file \"" + UniversalLocatorPath() + "\". No such file or directory");
    return;
  }
  CurrentMemo->setPlainText(ToQString(*text));
}

void TaprsConfigFm::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  LoadCurrent();
}

void TaprsConfigFm::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  ConfigureButton->setEnabled(false);
}

void TaprsConfigFm::TestClick() {
  ConfigureButton->setEnabled(true);
  ProposedMemo->clear();
  const std::string lat = FromQString(LatitudeEdit->text()), lon = FromQString(LongitudeEdit->text());
  try {
    const TUniversalProposalRec box = ProposeUniversalBox(lat, lon);
    if (lat == DefaultLatitudeText || lon == DefaultLongitudeText) {
      Dialogs_.Error("You need to use Your latitude and longitude. Not the software defaults.  Try again.");
      return;
    }
    ProposedMemo->appendPlainText(ToQString(UniversalLocatorLine(box)));
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

void TaprsConfigFm::ConfigureClick() {
  if (!Dialogs_.WarningYesNo("Configure Universal Map Display",
                             "This action will resets the the boundries of the Universal \"Map\" to the settings "
                             "displayed. Do you want to continue?")) {
    hide();
    return;
  }
  const QString proposal = ProposedMemo->toPlainText();
  if (proposal.isEmpty()) {
    Dialogs_.Information("You must provide a new configuration text using the Test button.");
    return;
  }
  std::vector<std::string> lines;
  for (const QString& line : proposal.split(u'\n')) lines.push_back(FromQString(line));
  try {
    WriteFileAtomic(UniversalLocatorPath(), JoinLinesCrLf(lines));
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
    return;
  }
  LoadCurrent();
}

}  // namespace druv
