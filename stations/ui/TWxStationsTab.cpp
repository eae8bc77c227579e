#include "stations/ui/TWxStationsTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "stations/TStationLog.h"
#include "stations/WeatherText.h"
#include "stations/ui/TLineListModel.h"

namespace druv {

TWxStationsTab::TWxStationsTab(TStationLog& log, QWidget* parent) : QWidget(parent), Log_(log) {
  ListBox3 = MakeStationLogList("ListBox3", "WX Stns", new TLineListModel(log.WeatherStations, this), this);
  HintLabel = new QLabel("Double-click to display WX info in the box to the right >", this);
  ListBox8 = new QListWidget(this);
  ListBox8->setObjectName("ListBox8");
  ListBox8->setAccessibleName("WX info");
  auto* left = new QVBoxLayout;
  left->addWidget(ListBox3, 1);
  left->addWidget(HintLabel);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 3);
  layout->addWidget(ListBox8, 1);
  connect(ListBox3, &QListView::doubleClicked, this, [this] { ListBox3DblClick(); });
}

void TWxStationsTab::ListBox3DblClick() {
  const QModelIndex current = ListBox3->currentIndex();
  if (!current.isValid() || static_cast<size_t>(current.row()) >= Log_.WeatherStations.Count()) return;
  const auto items = WeatherDetailItems(Log_.WeatherStations.At(static_cast<size_t>(current.row())));
  ListBox8->clear();
  for (const auto& item : items) ListBox8->addItem(ToQString(item));
}

}  // namespace druv
