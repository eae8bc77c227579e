#include "radio/ui/TMessagingPanel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "radio/TAprsMessenger.h"
#include "radio/ui/TMessagesModel.h"

namespace druv {

namespace {
QTableView* Table(const char* name, TMessagesModel* model, QWidget* parent) {
  auto* v = new QTableView(parent);
  v->setObjectName(name);
  v->setAccessibleName(name);
  v->setModel(model);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  v->verticalHeader()->hide();
  v->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  return v;
}
}  // namespace

TMessagingPanel::TMessagingPanel(TAprsMessenger& messenger, QWidget* parent)
    : QWidget(parent),
      Messenger_(messenger),
      OutgoingModel_(new TMessagesModel(messenger, mlOutgoing, this)),
      IncomingModel_(new TMessagesModel(messenger, mlIncoming, this)) {
  setObjectName("MessagingPanel");
  SendButton = new QPushButton(" Send Msg to>", this);
  SendButton->setToolTip("Send an APRS message; it is repeated until the station acknowledges it");
  AddresseeEdit = new QLineEdit("Y0URCALL", this);
  AddresseeEdit->setAccessibleName("Addressee");
  AddresseeEdit->setMaxLength(9);
  MessageEdit = new QLineEdit("message", this);
  MessageEdit->setAccessibleName("Message text");
  MessageEdit->setMaxLength(MaxMessageTextLength);
  OutgoingView = Table("Sent messages", OutgoingModel_, this);
  IncomingView = Table("Messages for you", IncomingModel_, this);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(SendButton, 0, 0);
  grid->addWidget(AddresseeEdit, 0, 1);
  grid->addWidget(MessageEdit, 0, 2);
  grid->setColumnStretch(2, 1);
  auto* sentLabel = new QLabel("Sent messages:", this);
  sentLabel->setBuddy(OutgoingView);
  auto* heardLabel = new QLabel("Messages for you:", this);
  heardLabel->setBuddy(IncomingView);
  grid->addWidget(sentLabel, 1, 0, 1, 3);
  grid->addWidget(OutgoingView, 2, 0, 1, 3);
  grid->addWidget(heardLabel, 3, 0, 1, 3);
  grid->addWidget(IncomingView, 4, 0, 1, 3);

  // A double click on a message heard answers its sender.
  connect(IncomingView, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    AddresseeEdit->setText(IncomingModel_->index(index.row(), 1).data().toString());
    MessageEdit->setFocus();
  });

  auto model = [this](TMessageList list) { return list == mlOutgoing ? OutgoingModel_ : IncomingModel_; };
  Messenger_.OnAboutToAdd = [model](TMessageList list, size_t row) { model(list)->BeginAppend(row); };
  Messenger_.OnAdded = [model](TMessageList list) { model(list)->EndAppend(); };
  Messenger_.OnChanged = [model](TMessageList list, size_t row) { model(list)->RowChanged(row); };
}

TMessagingPanel::~TMessagingPanel() {
  Messenger_.OnAboutToAdd = {};
  Messenger_.OnAdded = {};
  Messenger_.OnChanged = {};
}

}  // namespace druv
