#include "stations/ui/TWeatherTab.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "stations/TWeatherGrid.h"

namespace druv {

TWeatherGridModel::TWeatherGridModel(TWeatherGrid& grid, QObject* parent) : QAbstractTableModel(parent), Grid_(grid) {}

// Row 0 of the grid is the header; the model's rows are the grid's rows below it.
int TWeatherGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Grid_.RowCount() - 1);
}

int TWeatherGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TWeatherGrid::ColCount;
}

QVariant TWeatherGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  const size_t row = static_cast<size_t>(index.row()) + 1;
  if (row >= Grid_.RowCount()) return {};
  return ToQString(Grid_.Cell(index.column(), row));
}

QVariant TWeatherGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal && section >= 0 && section < TWeatherGrid::ColCount)
    return ToQString(Grid_.Cell(section, 0));
  return {};
}

void TWeatherGridModel::Refresh(const TLineSource& weatherLines) {
  beginResetModel();
  Grid_.Refresh(weatherLines);
  endResetModel();
}

TWeatherTab::TWeatherTab(TWeatherGrid& grid, const TLineSource& weatherLines, QWidget* parent)
    : QWidget(parent), Model_(new TWeatherGridModel(grid, this)), Lines_(weatherLines) {
  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setAccessibleName("Weather");
  StringGrid1->setModel(Model_);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SetColumnWidths();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid1);
}

void TWeatherTab::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  Model_->Refresh(Lines_);
  SetColumnWidths();  // a model reset gives the header its default widths back
}

void TWeatherTab::SetColumnWidths() {
  for (int c = 0; c < TWeatherGrid::ColCount; ++c) StringGrid1->setColumnWidth(c, TWeatherGrid::ColWidths[c]);
}

}  // namespace druv
