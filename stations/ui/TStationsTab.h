#pragma once
#include <QWidget>
#include <string>

class QListView;

namespace druv {

class TStationLog;

// "Stations": the sorted station calls in 10 columns, filled top to bottom, column by column.
class TStationsTab : public QWidget {
  Q_OBJECT
 public:
  static constexpr int Columns = 10;
  TStationsTab(TStationLog& log, QWidget* parent = nullptr);
  QListView* ListBox9;
  // The selected call, empty when none is selected.
  std::string SelectedCall() const;

 protected:
  // The list's viewport gets its final width after the tab's own resize: fit the columns then.
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FitColumns();
  TStationLog& Log_;
};

}  // namespace druv
