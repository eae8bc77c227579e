#pragma once
// A list model over a station-log list (weather stations, messages, relayed traffic, station
// calls): the view asks only for the rows it shows, and the list tells the model each change.
#include <QAbstractListModel>

class QListView;
class QWidget;

namespace druv {

class TLineSource;

class TLineListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // Takes the list's hooks for as long as the model lives.
  TLineListModel(TLineSource& list, QObject* parent = nullptr);
  ~TLineListModel() override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  TLineSource& List() const { return List_; }

 private:
  TLineSource& List_;
};

// A read-only list view over such a model, cheap at a million rows.
QListView* MakeStationLogList(const char* objectName, const char* accessibleName, TLineListModel* model,
                              QWidget* parent);

}  // namespace druv
