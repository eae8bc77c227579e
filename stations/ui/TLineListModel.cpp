#include "stations/ui/TLineListModel.h"

#include <QListView>

#include "platform/qt/QtText.h"
#include "stations/TLineList.h"

namespace druv {

TLineListModel::TLineListModel(TLineSource& list, QObject* parent) : QAbstractListModel(parent), List_(list) {
  List_.OnAboutToInsert = [this](size_t i) {
    beginInsertRows(QModelIndex(), static_cast<int>(i), static_cast<int>(i));
  };
  List_.OnInserted = [this](size_t) { endInsertRows(); };
  List_.OnAboutToClear = [this] { beginResetModel(); };
  List_.OnCleared = [this] { endResetModel(); };
}

TLineListModel::~TLineListModel() {
  List_.OnAboutToInsert = {};
  List_.OnInserted = {};
  List_.OnAboutToClear = {};
  List_.OnCleared = {};
}

int TLineListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(List_.Count());
}

QVariant TLineListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || static_cast<size_t>(index.row()) >= List_.Count()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
    return ToQString(List_.At(static_cast<size_t>(index.row())));
  return {};
}

QListView* MakeStationLogList(const char* objectName, const char* accessibleName, TLineListModel* model,
                              QWidget* parent) {
  auto* v = new QListView(parent);
  v->setObjectName(objectName);
  v->setAccessibleName(accessibleName);
  v->setUniformItemSizes(true);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setModel(model);
  return v;
}

}  // namespace druv
