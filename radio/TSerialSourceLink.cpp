#include "radio/TSerialSourceLink.h"

#include "common/Error.h"

namespace druv {

TSerialSourceLink::TSerialSourceLink(std::unique_ptr<ISerialPort> port, std::string device, int baudRate)
    : Port_(std::move(port)), Device_(std::move(device)), BaudRate_(baudRate) {}

TSerialSourceLink::~TSerialSourceLink() { Close(); }

std::string TSerialSourceLink::Describe() const { return Device_ + " " + std::to_string(BaudRate_) + " baud"; }

void TSerialSourceLink::Open() {
  TSerialSettingsRec s;
  s.Port = Device_;
  s.BaudRate = BaudRate_;
  s.FlowControl = fcNone;
  try {
    Port_->Close();
    Port_->ApplySettings(s);
    Port_->Open();
  } catch (const Error& e) {
    if (OnClosed) OnClosed(e.what());
    return;
  }
  Port_->SetReceiveHandler([this](char c) {
    if (OnBytes) OnBytes(std::string_view(&c, 1));
  });
  // An unplugged adapter or a modem that went away: the source opens the device again later.
  Port_->SetLostHandler([this](const std::string& why) {
    Port_->SetReceiveHandler({});
    if (OnClosed) OnClosed(why);
  });
  if (OnOpened) OnOpened();
}

void TSerialSourceLink::Close() {
  Port_->SetReceiveHandler({});
  Port_->SetLostHandler({});
  Port_->Close();
}

}  // namespace druv
