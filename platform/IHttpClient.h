#pragma once
// Synchronous HTTP GET of one address into a file.
#include <string>

#include "common/Error.h"

namespace druv {

// What GetToFile throws when Abort ended it; the user asked for that, so nobody reports it.
class TCancelledError : public Error {
 public:
  TCancelledError() : Error("The download was cancelled.") {}
};

class IHttpClient {
 public:
  virtual ~IHttpClient() = default;
  // Fetches url (http or https) and writes the reply body into path, replacing any file there.
  // The file appears only complete: on any failure (no connection, a reply that is not a
  // success, a time-out, a body cut short, a write error) nothing is left at path, and
  // druv::Error carries a text for the user.
  virtual void GetToFile(const std::string& url, const std::string& path) = 0;
  // Called from an event handler while GetToFile runs (a Cancel button): GetToFile then throws
  // TCancelledError. Without a fetch running, nothing happens.
  virtual void Abort() = 0;
  // The longest wait for a connection or for the next bytes of a reply.
  virtual void SetTimeoutMs(int ms) = 0;
};

}  // namespace druv
