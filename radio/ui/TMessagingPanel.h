#pragma once
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableView;

namespace druv {

class TAprsMessenger;
class TMessagesModel;

// On the "Messages" tab: the message sender, the own messages with their state and the messages
// heard for the own call sign.
class TMessagingPanel : public QWidget {
  Q_OBJECT
 public:
  TMessagingPanel(TAprsMessenger& messenger, QWidget* parent = nullptr);
  ~TMessagingPanel() override;

  QLineEdit* AddresseeEdit;
  QLineEdit* MessageEdit;
  QPushButton* SendButton;
  QTableView* OutgoingView;
  QTableView* IncomingView;

 private:
  TAprsMessenger& Messenger_;
  TMessagesModel* OutgoingModel_;
  TMessagesModel* IncomingModel_;
};

}  // namespace druv
