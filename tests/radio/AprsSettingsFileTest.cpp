#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>

#include "common/Error.h"
#include "common/Files.h"
#include "radio/TAprsSettingsFile.h"
#include "radio/TMessageNumberFile.h"
#include "radio/TQthFile.h"

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

namespace druv {
namespace {

class SettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("druv-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::string Path(const char* name) const { return (Dir / name).string(); }
  std::filesystem::path Dir;
};

TEST_F(SettingsFiles, QthReadsWhatLinesThereAreAndWritesTwo) {
  struct TCase {
    const char *Bytes, *Lat, *Lon;
  } cases[] = {
      {"32.5677\r\n-97.2658\r\n", "32.5677", "-97.2658"},
      {"32.5677\r\n", "32.5677", ""},  // one line: no longitude, no error
      {"", "", ""},
      {"\xEF\xBB\xBF" "1.5\n2.5\nignored\n", "1.5", "2.5"},
      {"1.5\r2.5", "1.5", "2.5"},
  };
  for (const auto& c : cases) {
    WriteFileAtomic(Path("qth.cfg"), c.Bytes);
    auto q = LoadQth(Path("qth.cfg"));
    ASSERT_TRUE(q) << c.Bytes;
    EXPECT_EQ(*q, (TQthTextsRec{c.Lat, c.Lon})) << c.Bytes;
  }
  EXPECT_FALSE(LoadQth(Path("missing.cfg")));
  SaveQth(Path("qth.cfg"), {"48.5", ""});
  EXPECT_EQ(*ReadFile(Path("qth.cfg")), "48.5\r\n\r\n");
}

// A fresh installation starts from the fields' own defaults.
TEST_F(SettingsFiles, ShippedFilesHoldTheFieldDefaults) {
  EXPECT_EQ(*ReadFile(DRUV_SOURCE_DIR "/data/aprssettings.txt"), JoinLinesCrLf(AprsSettingsToLines(TAprsSettingsRec())));
  const TComposerTextsRec composer;
  EXPECT_EQ(*ReadFile(DRUV_SOURCE_DIR "/data/qth.cfg"), JoinLinesCrLf({composer.Latitude, composer.Longitude}));
}

TEST_F(SettingsFiles, MessageNumberSurvivesARestartAndIgnoresGarbage) {
  EXPECT_EQ(LoadMessageNumber(Path("aprsmsgnum.txt")), 0);
  SaveMessageNumber(Path("aprsmsgnum.txt"), 4711);
  EXPECT_EQ(*ReadFile(Path("aprsmsgnum.txt")), "4711\r\n");
  EXPECT_EQ(LoadMessageNumber(Path("aprsmsgnum.txt")), 4711);
  for (const char* garbage : {"", "abc\r\n", "-3\r\n", "100000\r\n", "12.5\r\n"}) {
    WriteFileAtomic(Path("aprsmsgnum.txt"), garbage);
    EXPECT_EQ(LoadMessageNumber(Path("aprsmsgnum.txt")), 0) << garbage;
  }
}

// A disk that fills up part way through the write: every settings writer keeps the old file whole.
TEST_F(SettingsFiles, AWriteThatFailsHalfwayLeavesTheOldFile) {
  TAprsSettingsRec big;
  big.Composer.Comment = std::string(20000, 'x');
  const std::string old = "old\r\n";
  struct TWriter {
    const char* Name;
    std::function<void(const std::string&)> Save;
  } writers[] = {
      {"aprssettings.txt", [&](const std::string& p) { SaveAprsSettings(p, big); }},
      {"qth.cfg", [&](const std::string& p) { SaveQth(p, {std::string(20000, '1'), "2"}); }},
  };
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  for (const auto& w : writers) {
    WriteFileAtomic(Path(w.Name), old);
    rlimit small = saved;
    small.rlim_cur = 8192;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(w.Save(Path(w.Name)), Error) << w.Name;
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(*ReadFile(Path(w.Name)), old) << w.Name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir), {}), 1) << "temporary file left behind";
    std::filesystem::remove(Path(w.Name));
  }
  signal(SIGXFSZ, SIG_DFL);
}

}  // namespace
}  // namespace druv
