// Runs druv-replay on small inputs and checks what it writes and how it ends.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/Files.h"

namespace druv {
namespace {

namespace fs = std::filesystem;

struct TRun {
  int Exit;
  std::string Out, Err;
};

// druv-replay with args, input on standard input; standard error goes to a file.
TRun Replay(const std::string& args, const std::string& input = "") {
  const fs::path dir = fs::temp_directory_path() / ("druv-replay-test-" + std::to_string(getpid()));
  fs::create_directories(dir);
  WriteFileAtomic((dir / "in").string(), input);
  const std::string cmd = "cd '" + dir.string() + "' && '" DRUV_BIN_DIR "/druv-replay' " + args + " < in 2> err";
  TRun r{-1, "", ""};
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[1 << 14];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.Out.append(buf, n);
    const int status = pclose(p);
    r.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  r.Err = ReadFile((dir / "err").string()).value_or("");
  return r;
}

std::string InTempDir(const std::string& name) {
  return (fs::temp_directory_path() / ("druv-replay-test-" + std::to_string(getpid())) / name).string();
}

TEST(ReplayTool, WritesTableListsAndWeather) {
  const std::string fixture = DRUV_FIXTURES_DIR "/station-log-lines.txt";
  TRun r = Replay("--stats --stations stations.csv --lists lists --weather - '" + fixture + "'");
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_NE(r.Err.find("lines read: 12\npackets: 11\nstations: 8\n"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("lines per second: "), std::string::npos);

  const std::string csv = ReadFile(InTempDir("stations.csv")).value_or("");
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "TIME,STN,INFO,COMMENT,LAT,LON,PACKET,PACKET2,Symbol,TABLEID,GRID");
  // Table order, quoting, three decimals, the UTF-8 of an 8-bit call.
  EXPECT_NE(csv.find("\r\n", csv.find("\r\n") + 2), std::string::npos);
  EXPECT_NE(csv.find(",QQ5WWW,"), std::string::npos);
  EXPECT_NE(csv.find(",32.568,-97.266,\"QQ5WWW>APRS,WIDE2-1 <UI R>:@101251z"), std::string::npos);
  EXPECT_NE(csv.find(",\"|L}l\"\"Pk/]\"\"4&}Mobile\","), std::string::npos);
  EXPECT_NE(csv.find(",0.000,-97.000,QQ1EQU>APRS:"), std::string::npos);
  EXPECT_NE(csv.find(",QQ5\xC3\x89T\xC3\x89,"), std::string::npos);
  EXPECT_LT(csv.find(",QQ5AAA,"), csv.find(",QQ5WWW,"));

  EXPECT_EQ(ReadFile(InTempDir("lists/messages.txt")), std::string("QQ4BBB * QQ5AAA    hello there\r\n"));
  EXPECT_EQ(ReadFile(InTempDir("lists/third-party.txt")),
            std::string("QQ7GAT   OBJECT   *111111z3300.00N/09700.00Wk\r\n"));
  EXPECT_EQ(ReadFile(InTempDir("lists/stations.txt")),
            std::string("QQ1EQU\r\nQQ5AAA\r\nQQ5AAA-9\r\nQQ5BBB-9\r\nQQ5CAR-9\r\nQQ5WWW\r\nQQ5\xC3\x89T\xC3\x89\r\nQQ7GAT\r\n"));
  const std::string weather = ReadFile(InTempDir("lists/weather.txt")).value_or("");
  EXPECT_EQ(std::count(weather.begin(), weather.end(), '\n'), 3);

  // The grid: the header, QQ5AAA (index 0), QQ5WWW (index 1); the car's report is passed over.
  EXPECT_EQ(r.Out,
            "Call,Date,Time,WindDir.,W.Speed,W.Gusts,Temp.,RainLHour,RainL24,RainSMidNight,Humidity,BarP,Units,\r\n"
            "QQ5AAA,1009,0556,220,004,005,077,000,000,000,50,09900,..,..\r\n"
            "QQ5WWW,10,1251,312,000,000,064,000,001,001,89,10167,..,Rendon TX. WX {UIV32N\r\n");
}

TEST(ReplayTool, LineEndsAndStandardInput) {
  // CR, LF and CR LF each end one line; blank lines are no lines.
  TRun r = Replay("--stats --lists lists", "QQ1A>APRS:>a\rQQ1B>APRS:>b\nQQ1C>APRS:>c\r\n\r\nQQ1D>APRS:>d");
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_NE(r.Err.find("lines read: 4\npackets: 4\nstations: 4\n"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadFile(InTempDir("lists/stations.txt")), std::string("QQ1A\r\nQQ1B\r\nQQ1C\r\nQQ1D\r\n"));
}

TEST(ReplayTool, Failures) {
  struct {
    const char* Args;
    int Exit;
    const char* Says;
  } cases[] = {
      {"--bogus", 2, "unknown option --bogus\nusage: druv-replay [--stations FILE]"},
      {"--stations", 2, "--stations needs FILE"},
      {"--stats=yes", 2, "--stats takes no value"},
      {"--stations /nonexistent-folder/x.csv", 1, "druv-replay: "},
      {"/nonexistent-folder/in.txt", 1, "cannot open /nonexistent-folder/in.txt"},
  };
  for (const auto& c : cases) {
    TRun r = Replay(c.Args, "QQ1A>APRS:>a\n");
    EXPECT_EQ(r.Exit, c.Exit) << c.Args;
    EXPECT_NE(r.Err.find(c.Says), std::string::npos) << c.Args << ": " << r.Err;
  }
  TRun help = Replay("--help");
  EXPECT_EQ(help.Exit, 0);
  EXPECT_EQ(help.Out.rfind("usage: druv-replay [--stations FILE] [--lists DIR] [--weather FILE] [--stats] [FILE...]\n", 0), 0u);
}

}  // namespace
}  // namespace druv
