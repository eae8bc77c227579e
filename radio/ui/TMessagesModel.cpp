#include "radio/ui/TMessagesModel.h"

#include "platform/qt/QtText.h"

namespace druv {

namespace {
const char* const kOutgoingColumns[] = {"Time", "To", "No.", "Message", "State"};
const char* const kIncomingColumns[] = {"Time", "From", "No.", "Message", "Heard"};
}  // namespace

TMessagesModel::TMessagesModel(const TAprsMessenger& messenger, TMessageList list, QObject* parent)
    : QAbstractTableModel(parent), Messenger_(messenger), List_(list) {}

int TMessagesModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(List_ == mlOutgoing ? Messenger_.Outgoing().size() : Messenger_.Incoming().size());
}

int TMessagesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QString TMessagesModel::Cell(size_t row, int column) const {
  if (List_ == mlOutgoing) {
    const TOutgoingMessageRec& m = Messenger_.Outgoing()[row];
    switch (column) {
      case 0: return ToQString(FormatTime(m.SentLocal));
      case 1: return ToQString(m.Addressee);
      case 2: return ToQString(m.Number);
      case 3: return ToQString(m.Text);
      default: return ToQString(StateText(m));
    }
  }
  const TIncomingMessageRec& m = Messenger_.Incoming()[row];
  switch (column) {
    case 0: return ToQString(FormatTime(m.HeardLocal));
    case 1: return ToQString(m.From);
    case 2: return ToQString(m.Number);
    case 3: return ToQString(m.Text);
    default: return ToQString(CopiesText(m));
  }
}

QVariant TMessagesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() < 0 || index.column() >= 5) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
    return Cell(static_cast<size_t>(index.row()), index.column());
  return {};
}

QVariant TMessagesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 5) return {};
  return QString(List_ == mlOutgoing ? kOutgoingColumns[section] : kIncomingColumns[section]);
}

void TMessagesModel::BeginAppend(size_t row) {
  beginInsertRows(QModelIndex(), static_cast<int>(row), static_cast<int>(row));
}

void TMessagesModel::EndAppend() { endInsertRows(); }

void TMessagesModel::RowChanged(size_t row) {
  const int r = static_cast<int>(row);
  emit dataChanged(index(r, 0), index(r, 4));
}

}  // namespace druv
