#pragma once
#include <QWidget>

class QListView;
class QPushButton;

namespace druv {

class TLinesModel;

// "RAW Packets": every accepted monitor line, in arrival order.
class TRawPacketsTab : public QWidget {
  Q_OBJECT
 public:
  TRawPacketsTab(TLinesModel* model, QWidget* parent = nullptr);
  QListView* ListBox7;
  QPushButton* ClearButton;

 private:
  bool FollowNewest_ = true;
};

}  // namespace druv
