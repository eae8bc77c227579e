#include "stations/ui/TStationsTab.h"

#include <algorithm>

#include <QListView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "stations/TStationLog.h"
#include "stations/ui/TLineListModel.h"

namespace druv {

TStationsTab::TStationsTab(TStationLog& log, QWidget* parent) : QWidget(parent), Log_(log) {
  ListBox9 = MakeStationLogList("ListBox9", "Stations", new TLineListModel(log.Stations, this), this);
  ListBox9->setFlow(QListView::TopToBottom);
  ListBox9->setWrapping(true);
  ListBox9->setResizeMode(QListView::Adjust);
  // Batched: a list of a hundred thousand calls is laid out a slice at a time.
  ListBox9->setLayoutMode(QListView::Batched);
  ListBox9->setBatchSize(2000);
  ListBox9->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox9);
  ListBox9->viewport()->installEventFilter(this);
  FitColumns();
}

bool TStationsTab::eventFilter(QObject* watched, QEvent* e) {
  if (watched == ListBox9->viewport() && e->type() == QEvent::Resize) FitColumns();
  return QWidget::eventFilter(watched, e);
}

// Ten columns across the visible width, as many rows as fit in its height.
void TStationsTab::FitColumns() {
  const int width = ListBox9->viewport()->width();
  const int rowHeight = ListBox9->fontMetrics().height() + 2;
  ListBox9->setGridSize(QSize(std::max(40, width / Columns), rowHeight));
}

std::string TStationsTab::SelectedCall() const {
  const QModelIndex current = ListBox9->currentIndex();
  if (!current.isValid() || !ListBox9->selectionModel()->isSelected(current)) return {};
  if (static_cast<size_t>(current.row()) >= Log_.Stations.Count()) return {};
  return Log_.Stations.At(static_cast<size_t>(current.row()));
}

}  // namespace druv
