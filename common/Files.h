#pragma once
#include <optional>
#include <string>
#include <vector>

namespace druv {

// Writes the whole text to a temporary file beside path and renames it over path, so a crash
// never leaves a half-written file. Throws druv::Error when the file cannot be written.
void WriteFileAtomic(const std::string& path, const std::string& bytes);
// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);
// Lines split at CR LF, LF or CR; a UTF-8 byte-order mark is dropped. Nothing when unreadable.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);
// Lines each ended by CR LF, the last one included.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);
bool FileExists(const std::string& path);

// The application folder: the folder that holds the executable, with a trailing '/'.
const std::string& AppFolder();
// For tests and the demo: use another folder as the application folder.
void SetAppFolder(const std::string& folder);
std::string AppPath(const std::string& fileName);

}  // namespace druv
