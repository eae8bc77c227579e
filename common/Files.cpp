#include "common/Files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "common/Error.h"

namespace druv {

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  std::string tmp = path + ".tmp";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) throw Error("Cannot create file " + path + ". " + std::strerror(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (fsync(fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
    int err = errno;
    std::remove(tmp.c_str());
    throw Error("Cannot write file " + path + ". " + std::strerror(err));
  }
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  auto text = ReadFile(path);
  if (!text) return std::nullopt;
  std::string_view s(*text);
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      lines.emplace_back(s.substr(start, i - start));
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < s.size()) lines.emplace_back(s.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {
std::string& AppFolderRef() {
  static std::string folder = [] {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string("./");
    std::string p(buf, static_cast<size_t>(n));
    auto slash = p.rfind('/');
    return slash == std::string::npos ? std::string("./") : p.substr(0, slash + 1);
  }();
  return folder;
}
}  // namespace

const std::string& AppFolder() { return AppFolderRef(); }

void SetAppFolder(const std::string& folder) {
  AppFolderRef() = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::string AppPath(const std::string& fileName) { return AppFolder() + fileName; }

}  // namespace druv
