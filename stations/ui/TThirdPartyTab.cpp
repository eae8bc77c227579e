#include "stations/ui/TThirdPartyTab.h"

#include <QListView>
#include <QVBoxLayout>

#include "stations/TStationLog.h"
#include "stations/ui/TLineListModel.h"

namespace druv {

TThirdPartyTab::TThirdPartyTab(TStationLog& log, QWidget* parent) : QWidget(parent) {
  ListBox10 = MakeStationLogList("ListBox10", "Third-Party", new TLineListModel(log.ThirdParty, this), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox10);
}

}  // namespace druv
