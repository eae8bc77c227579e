#pragma once
// "aprsmsgnum.txt": the number of the last APRS message sent, so numbering goes on after a restart
// and a station that still remembers an old number is not answered with a stale ack.
#include <string>

namespace druv {

inline constexpr const char* MessageNumberFileName = "aprsmsgnum.txt";

// 0 when the file is missing or holds no number.
int LoadMessageNumber(const std::string& path);
// Throws druv::Error when the file cannot be written; the old file then stays as it was.
void SaveMessageNumber(const std::string& path, int number);

}  // namespace druv
