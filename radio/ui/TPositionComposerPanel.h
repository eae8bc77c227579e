#pragma once
#include <QGroupBox>

#include "radio/TAprsSettingsFile.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace druv {

// "Create a Position Packet": decimal latitude and longitude, a short comment and a map symbol.
class TPositionComposerPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit TPositionComposerPanel(QWidget* parent = nullptr);

  TComposerTextsRec Texts() const;
  void SetTexts(const TComposerTextsRec& texts);
  // Row of the chosen symbol, -1 when none is chosen.
  int SymbolIndex() const;

  QLineEdit* LatitudeEdit;
  QLineEdit* LongitudeEdit;
  QLineEdit* CommentEdit;
  QListWidget* SymbolList;
  QPushButton* ComposeButton;
  QPushButton* HideButton;
};

}  // namespace druv
