#include "radio/ui/TRawPacketsTab.h"

#include <QListView>
#include <QPushButton>
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
  ClearButton = new QPushButton("Clear RAW Data", this);
  ClearButton->setToolTip("Clear all packet info forms");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox7, 1);
  layout->addWidget(ClearButton, 0, Qt::AlignLeft);
}

}  // namespace druv
