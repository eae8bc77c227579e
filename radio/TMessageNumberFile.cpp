#include "radio/TMessageNumberFile.h"

#include "common/Files.h"
#include "common/Numbers.h"
#include "radio/TAprsMessenger.h"

namespace druv {

int LoadMessageNumber(const std::string& path) {
  auto lines = ReadLines(path);
  if (!lines || lines->empty()) return 0;
  auto n = ParseInt((*lines)[0]);
  return n && *n > 0 && *n <= MaxMessageNumber ? static_cast<int>(*n) : 0;
}

void SaveMessageNumber(const std::string& path, int number) {
  WriteFileAtomic(path, JoinLinesCrLf({FormatInt(number)}));
}

}  // namespace druv
