#pragma once
// A list model over a core vector of 8-bit lines: the list view asks only for visible rows, so a
// list of a million lines stays responsive.
#include <QAbstractListModel>
#include <string>
#include <vector>

namespace druv {

class TLinesModel : public QAbstractListModel {
  Q_OBJECT
 public:
  TLinesModel(const std::vector<std::string>& lines, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void BeginAppend(size_t index);
  void EndAppend();
  void BeginClear();
  void EndClear();

 private:
  const std::vector<std::string>& Lines_;
};

}  // namespace druv
