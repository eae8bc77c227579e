#pragma once
#include <QWidget>

class QListView;

namespace druv {

class TStationLog;

// "Third-Party": the relayed-traffic list.
class TThirdPartyTab : public QWidget {
  Q_OBJECT
 public:
  TThirdPartyTab(TStationLog& log, QWidget* parent = nullptr);
  QListView* ListBox10;
};

}  // namespace druv
