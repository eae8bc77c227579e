#include "radio/ui/TPositionComposerPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/qt/QtText.h"
#include "radio/TPositionReporter.h"

namespace druv {

namespace {
QLineEdit* Field(const char* name, const char* hint, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setAccessibleName(name);
  e->setToolTip(hint);
  return e;
}
}  // namespace

TPositionComposerPanel::TPositionComposerPanel(QWidget* parent) : QGroupBox("Create a Position Packet", parent) {
  setObjectName("PositionComposer");
  const char* coordinateHint = "enter in decimal format - software converts to correct format for APRS";
  LatitudeEdit = Field("Latitude in degrees", coordinateHint, this);
  LongitudeEdit = Field("Longitude in degrees", coordinateHint, this);
  CommentEdit = Field("Short Message", "keep the msg short", this);
  SymbolList = new QListWidget(this);
  SymbolList->setAccessibleName("Map Symbol");
  SymbolList->setToolTip("Determines the symbol displayed on maps");
  for (std::string_view entry : SymbolListEntries) SymbolList->addItem(ToQString(std::string(entry)));
  SymbolList->setCurrentRow(-1);
  ComposeButton = new QPushButton("Compose", this);
  ComposeButton->setToolTip("Transfer position report to message field");
  HideButton = new QPushButton("Hide", this);

  auto label = [this](const char* text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    return l;
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Remember to select a map symbol and enter YOUR  lat and long.", this), 0, 0, 1, 3);
  grid->addWidget(label("Latitude in degrees:", LatitudeEdit), 1, 0);
  grid->addWidget(LatitudeEdit, 1, 1);
  grid->addWidget(new QLabel("(-)  south of equator", this), 1, 2);
  grid->addWidget(label("Longitude in degrees:", LongitudeEdit), 2, 0);
  grid->addWidget(LongitudeEdit, 2, 1);
  grid->addWidget(new QLabel("(-) for N / S America", this), 2, 2);
  grid->addWidget(label("Short Message: ", CommentEdit), 3, 0);
  grid->addWidget(CommentEdit, 3, 1, 1, 2);
  grid->addWidget(label("Map Symbol:", SymbolList), 4, 0, Qt::AlignTop);
  grid->addWidget(SymbolList, 4, 1, 1, 2);
  grid->addWidget(ComposeButton, 5, 1);
  grid->addWidget(HideButton, 5, 2);
  connect(HideButton, &QPushButton::clicked, this, &QWidget::hide);
  SetTexts(TComposerTextsRec());
}

TComposerTextsRec TPositionComposerPanel::Texts() const {
  return {FromQString(LatitudeEdit->text()), FromQString(LongitudeEdit->text()), FromQString(CommentEdit->text())};
}

void TPositionComposerPanel::SetTexts(const TComposerTextsRec& texts) {
  LatitudeEdit->setText(ToQString(texts.Latitude));
  LongitudeEdit->setText(ToQString(texts.Longitude));
  CommentEdit->setText(ToQString(texts.Comment));
}

int TPositionComposerPanel::SymbolIndex() const {
  const QListWidgetItem* item = SymbolList->currentItem();
  return item && item->isSelected() ? SymbolList->row(item) : -1;
}

}  // namespace druv
