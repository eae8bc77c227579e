#include "radio/ui/TLinesModel.h"

#include "platform/qt/QtText.h"

namespace druv {

TLinesModel::TLinesModel(const std::vector<std::string>& lines, QObject* parent)
    : QAbstractListModel(parent), Lines_(lines) {}

int TLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Lines_.size());
}

QVariant TLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || static_cast<size_t>(index.row()) >= Lines_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
    return ToQString(Lines_[static_cast<size_t>(index.row())]);
  return {};
}

void TLinesModel::BeginAppend(size_t index) {
  beginInsertRows(QModelIndex(), static_cast<int>(index), static_cast<int>(index));
}
void TLinesModel::EndAppend() { endInsertRows(); }
void TLinesModel::BeginClear() { beginResetModel(); }
void TLinesModel::EndClear() { endResetModel(); }

}  // namespace druv
