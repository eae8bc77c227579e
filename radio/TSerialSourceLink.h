#pragma once
#include <memory>

#include "platform/ISerialPort.h"
#include "radio/ISourceLink.h"

namespace druv {

// A serial port of its own (not the radio port): 8 data bits, no parity, 1 stop bit, no
// handshake, as KISS TNCs come.
class TSerialSourceLink : public ISourceLink {
 public:
  TSerialSourceLink(std::unique_ptr<ISerialPort> port, std::string device, int baudRate);
  ~TSerialSourceLink() override;

  std::string Describe() const override;
  void Open() override;
  void Close() override;
  void Write(const std::string& bytes) override { Port_->WriteStr(bytes); }

 private:
  std::unique_ptr<ISerialPort> Port_;
  std::string Device_;
  int BaudRate_;
};

}  // namespace druv
