#include "stations/ui/TMessagesTab.h"

#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

#include "stations/TStationLog.h"
#include "stations/ui/TLineListModel.h"

namespace druv {

TMessagesTab::TMessagesTab(TStationLog& log, QWidget* parent) : QWidget(parent) {
  HeaderLabel = new QLabel("To:           From:                   Message:", this);
  HeaderLabel->setObjectName("MessagesHeader");
  ListBox1 = MakeStationLogList("ListBox1", "Messages", new TLineListModel(log.Messages, this), this);
  // The header's blanks line up with the list's columns only in a fixed-pitch font.
  QFont fixed("Monospace");
  fixed.setStyleHint(QFont::TypeWriter);
  HeaderLabel->setFont(fixed);
  ListBox1->setFont(fixed);
  Layout_ = new QVBoxLayout(this);
  Layout_->addWidget(HeaderLabel);
  Layout_->addWidget(ListBox1, 1);
}

}  // namespace druv
