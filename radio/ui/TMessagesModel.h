#pragma once
// A table model over one of the messenger's lists (outgoing with their state, or incoming).
#include <QAbstractTableModel>

#include "radio/TAprsMessenger.h"

namespace druv {

class TMessagesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TMessagesModel(const TAprsMessenger& messenger, TMessageList list, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Called by the messenger's notices for this model's list.
  void BeginAppend(size_t row);
  void EndAppend();
  void RowChanged(size_t row);

 private:
  QString Cell(size_t row, int column) const;
  const TAprsMessenger& Messenger_;
  TMessageList List_;
};

}  // namespace druv
