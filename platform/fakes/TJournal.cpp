#include "platform/fakes/TJournal.h"

#include <cstdio>

namespace druv {

std::string Visible(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<%02X>", c);
      out += buf;
    } else out += static_cast<char>(c);
  }
  return out;
}

}  // namespace druv
