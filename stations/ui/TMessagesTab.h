#pragma once
#include <QWidget>

class QLabel;
class QListView;
class QVBoxLayout;

namespace druv {

class TStationLog;

// "Messages": the message list under its header label. Layout() takes more panels below it.
class TMessagesTab : public QWidget {
  Q_OBJECT
 public:
  TMessagesTab(TStationLog& log, QWidget* parent = nullptr);
  QLabel* HeaderLabel;
  QListView* ListBox1;
  QVBoxLayout* Layout() const { return Layout_; }

 private:
  QVBoxLayout* Layout_;
};

}  // namespace druv
