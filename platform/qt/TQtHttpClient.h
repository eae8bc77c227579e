#pragma once
// IHttpClient over QNetworkAccessManager. GetToFile runs a local event loop, so the program's
// windows (and a progress dialog with a Cancel button) stay alive while a file is fetched.
#include <memory>
#include <string>

#include "platform/IHttpClient.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace druv {

class TQtHttpClient : public IHttpClient {
 public:
  static constexpr int DefaultTimeoutMs = 30000;
  // timeoutMs: the longest wait for the connection or for the next bytes of the reply.
  explicit TQtHttpClient(std::string userAgent, int timeoutMs = DefaultTimeoutMs);
  ~TQtHttpClient() override;

  void GetToFile(const std::string& url, const std::string& path) override;
  void Abort() override;

  void SetTimeoutMs(int ms) override { TimeoutMs_ = ms; }

 private:
  std::string UserAgent_;
  int TimeoutMs_;
  std::unique_ptr<QNetworkAccessManager> Manager_;
  QNetworkReply* Running_ = nullptr;
  bool AbortAsked_ = false;
};

}  // namespace druv
