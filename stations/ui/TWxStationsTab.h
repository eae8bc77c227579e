#pragma once
#include <QWidget>

class QLabel;
class QListView;
class QListWidget;

namespace druv {

class TStationLog;

// "WX Stns": the weather-station list and, to its right, the weather detail list.
class TWxStationsTab : public QWidget {
  Q_OBJECT
 public:
  TWxStationsTab(TStationLog& log, QWidget* parent = nullptr);
  QListView* ListBox3;
  QLabel* HintLabel;
  QListWidget* ListBox8;
  // Fills the detail list from the selected weather line; a quiet return without a selection.
  void ListBox3DblClick();

 private:
  TStationLog& Log_;
};

}  // namespace druv
