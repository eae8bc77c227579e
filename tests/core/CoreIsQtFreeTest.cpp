#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
}  // namespace

TEST(CoreIsQtFree, NoCoreSourceIncludesQt) {
  std::ifstream dirs(std::string(DRUV_BUILD_DIR) + "/core_dirs.txt");
  ASSERT_TRUE(dirs.good());
  const std::regex qtInclude(R"(#\s*include\s*[<"](Q[A-Za-z]|qt[a-z]*/|Qt[A-Z]))");
  std::string dir;
  int scanned = 0;
  while (std::getline(dirs, dir)) {
    if (dir.empty()) continue;
    for (const auto& e : fs::directory_iterator(fs::path(DRUV_SOURCE_DIR) / dir)) {
      auto ext = e.path().extension();
      if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      ++scanned;
      EXPECT_FALSE(std::regex_search(Slurp(e.path()), qtInclude)) << e.path() << " includes a Qt header";
    }
  }
  EXPECT_GT(scanned, 10);
}

TEST(CoreIsQtFree, NoCoreTargetLinksQt) {
  std::string links = Slurp(std::string(DRUV_BUILD_DIR) + "/core_targets.txt");
  ASSERT_NE(links.find("druv_parser:"), std::string::npos);
  EXPECT_EQ(links.find("Qt"), std::string::npos) << links;
}
