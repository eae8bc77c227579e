#pragma once
// One ordered record of what the fakes saw, so a test can compare a whole command sequence:
// writes, purges, waits and boxes interleaved as they happened.
#include <string>
#include <vector>

namespace druv {

class TJournal {
 public:
  void Add(std::string entry) { Entries.push_back(std::move(entry)); }
  void Clear() { Entries.clear(); }
  std::vector<std::string> Entries;
};

// Control bytes made visible: "TC 1;" stays, 0x03 becomes <03>, CR <CR>, LF <LF>.
std::string Visible(const std::string& bytes);

}  // namespace druv
