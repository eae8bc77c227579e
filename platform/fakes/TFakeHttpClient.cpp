#include "platform/fakes/TFakeHttpClient.h"

#include <cstdio>

#include "common/Files.h"

namespace druv {

void TFakeHttpClient::GetToFile(const std::string& url, const std::string& path) {
  Requested.push_back(url);
  AbortAsked_ = false;
  if (OnGet) OnGet(url);
  std::remove(path.c_str());
  if (AbortAsked_) throw TCancelledError();
  if (auto f = Failures.find(url); f != Failures.end()) throw Error(f->second);
  auto b = Bodies.find(url);
  if (b == Bodies.end()) throw Error("Could not fetch " + url + ": the server answered 404 Not Found.");
  WriteFileAtomic(path, b->second);
}

}  // namespace druv
