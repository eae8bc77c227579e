#include "radio/ui/TRawPacketsTab.h"

#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "radio/ui/TLinesModel.h"

namespace druv {

TRawPacketsTab::TRawPacketsTab(TLinesModel* model, QWidget* parent) : QWidget(parent) {
  ListBox7 = new QListView(this);
  ListBox7->setObjectName("ListBox7");
  ListBox7->setAccessibleName("RAW Packets");
  ListBox7->setUniformItemSizes(true);  // keeps a million rows cheap to lay out
  ListBox7->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox7->setModel(model);
  // Follow new packets while the operator is looking at the newest; stay put while reading older ones.
  connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
    QScrollBar* bar = ListBox7->verticalScrollBar();
    FollowNewest_ = bar->value() >= bar->maximum();
  });
  connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
    if (FollowNewest_) ListBox7->scrollToBottom();
  });
  ClearButton = new QPushButton("Clear RAW Data", this);
  ClearButton->setToolTip("Clear all packet info forms");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox7, 1);
  layout->addWidget(ClearButton, 0, Qt::AlignLeft);
}

}  // namespace druv
