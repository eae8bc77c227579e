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
  if (OnOpened) OnOpened();
}

void TSerialSourceLink::Close() {
  Port_->SetReceiveHandler({});
  Port_->Close();
}

}  // namespace druv
