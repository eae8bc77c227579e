#pragma once
// "Weather": the weather grid, one row per weather station, refreshed each time the tab is shown.
#include <QAbstractTableModel>
#include <QWidget>

class QTableView;

namespace druv {

class TLineSource;
class TWeatherGrid;

class TWeatherGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TWeatherGridModel(TWeatherGrid& grid, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Reads the weather lines into the grid and shows the result.
  void Refresh(const TLineSource& weatherLines);

 private:
  TWeatherGrid& Grid_;
};

class TWeatherTab : public QWidget {
  Q_OBJECT
 public:
  TWeatherTab(TWeatherGrid& grid, const TLineSource& weatherLines, QWidget* parent = nullptr);
  QTableView* StringGrid1;
  TWeatherGridModel* Model() const { return Model_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void SetColumnWidths();
  TWeatherGridModel* Model_;
  const TLineSource& Lines_;
};

}  // namespace druv
