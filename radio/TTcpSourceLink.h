#pragma once
#include <memory>

#include "platform/ITcpSocket.h"
#include "radio/ISourceLink.h"

namespace druv {

// A TCP connection to host:port.
class TTcpSourceLink : public ISourceLink {
 public:
  TTcpSourceLink(std::unique_ptr<ITcpSocket> socket, std::string host, int port);
  ~TTcpSourceLink() override;

  std::string Describe() const override { return Host_ + ":" + std::to_string(Port_); }
  void Open() override { Socket_->ConnectToHost(Host_, Port_); }
  void Close() override { Socket_->Abort(); }
  void Write(const std::string& bytes) override { Socket_->Write(bytes); }

 private:
  std::unique_ptr<ITcpSocket> Socket_;
  std::string Host_;
  int Port_;
};

}  // namespace druv
