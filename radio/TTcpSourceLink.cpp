#include "radio/TTcpSourceLink.h"

namespace druv {

TTcpSourceLink::TTcpSourceLink(std::unique_ptr<ITcpSocket> socket, std::string host, int port)
    : Socket_(std::move(socket)), Host_(std::move(host)), Port_(port) {
  Socket_->OnConnected = [this] {
    if (OnOpened) OnOpened();
  };
  Socket_->OnReceived = [this](std::string_view b) {
    if (OnBytes) OnBytes(b);
  };
  Socket_->OnClosed = [this](const std::string& why) {
    if (OnClosed) OnClosed(why);
  };
}

TTcpSourceLink::~TTcpSourceLink() {
  Socket_->OnConnected = {};
  Socket_->OnReceived = {};
  Socket_->OnClosed = {};
  Socket_->Abort();
}

}  // namespace druv
