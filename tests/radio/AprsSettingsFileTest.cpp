#include <gtest/gtest.h>

#include <filesystem>

#include "common/Error.h"
#include "common/Files.h"
#include "radio/TAprsSettingsFile.h"

namespace druv {
namespace {

TEST(AprsSettingsFile, ThirteenLinesInFileOrderWithCrLf) {
  auto dir = std::filesystem::temp_directory_path() / "druv-aprssettings";
  std::filesystem::create_directories(dir);
  std::string path = (dir / "aprssettings.txt").string();
  TAprsSettingsRec s;
  s.Composer.Latitude = "";
  s.Tnc.MyCall = "MYCALL   QQ5AAA-9";
  SaveAprsSettings(path, s);
  EXPECT_EQ(*ReadFile(path),
            "\r\n-97.2658\r\nyour message\r\nUNPROTO  APRS VIA APRS,WIDE2-1\r\nMYCALL   QQ5AAA-9\r\nHBAUD 1200\r\n"
            "FLOW OFF\r\nPACTIME AFTER 0\r\nPACLEN 250\r\nXFLOW OFF\r\nMON ON\r\nMCOM ON\r\nMCON ON\r\n");
  auto back = LoadAprsSettings(path);
  EXPECT_EQ(back.Tnc, s.Tnc);
  EXPECT_EQ(back.Composer.Latitude, "");

  auto lines = AprsSettingsToLines(s);
  lines.pop_back();
  EXPECT_THROW(AprsSettingsFromLines(lines), Error);
  EXPECT_THROW(LoadAprsSettings((dir / "missing.txt").string()), Error);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace druv
