// Runs the aprs-decode program on files and checks what it writes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/TAprsPacket.h"

namespace druv {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// Output of aprs-decode with args on a file holding input.
std::string RunTool(const std::string& input, const std::string& args = "") {
  char path[] = "/tmp/aprs-decode-test-XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  close(fd);
  const std::string cmd = std::string("'") + DRUV_BIN_DIR + "/aprs-decode' " + args + " < '" + path + "'";
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  EXPECT_NE(p, nullptr);
  if (p) {
    char buf[1 << 16];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    EXPECT_EQ(pclose(p), 0) << cmd;
  }
  unlink(path);
  return out;
}

std::vector<std::string> SplitAt(const std::string& text, const std::string& sep) {
  std::vector<std::string> parts;
  size_t start = 0, at;
  while ((at = text.find(sep, start)) != std::string::npos) {
    parts.push_back(text.substr(start, at - start));
    start = at + sep.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The output lines; the text must end in a newline.
std::vector<std::string> OutputLines(const std::string& out) {
  EXPECT_TRUE(!out.empty() && out.back() == '\n');
  std::vector<std::string> lines = SplitAt(out, "\n");
  lines.pop_back();
  return lines;
}

using TDoc = rapidjson::Document;

TDoc ParseJson(const std::string& text) {
  TDoc d;
  d.Parse(text.c_str(), text.size());
  EXPECT_FALSE(d.HasParseError()) << text;
  return d;
}

std::string Str(const rapidjson::Value& v) { return std::string(v.GetString(), v.GetStringLength()); }

const std::regex kIso(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d{3})?Z)");

// Type of every key the tool always writes, and of the keys of its optional objects.
enum TKind { kBool, kInt, kNumber, kString, kArray };
struct TKey {
  const char* Name;
  TKind Kind;
};
const TKey kPacketKeys[] = {
    {"valid", kBool}, {"source", kString}, {"callsign", kString}, {"ssid", kInt}, {"destination", kString},
    {"digipeaters", kArray}, {"hop_count", kInt}, {"heard_directly", kBool}, {"reverse_path", kString},
    {"via_internet", kBool}, {"type", kString}, {"type_ch", kString}, {"information_field", kString},
    {"comment", kString}, {"symbol_table", kString}, {"symbol_code", kString}, {"position_valid", kBool},
    {"lat", kNumber}, {"lon", kNumber}, {"lat_nmea", kString}, {"lon_nmea", kString}, {"gridsquare", kString},
    {"course", kInt}, {"speed", kInt}, {"altitude", kInt}, {"ambiguity", kInt}, {"mobile", kBool}, {"timestamp", kString},
    {"timestamp_valid", kBool}, {"from_d7", kBool}, {"from_d700", kBool}};
const TKey kMessageKeys[] = {{"type", kString},    {"addressee", kString}, {"text", kString},
                             {"seq_id", kString},  {"nws_state", kString}, {"index", kInt},
                             {"reply_ack", kString}};
const TKey kObjectKeys[] = {{"name", kString}, {"active", kBool}};
const TKey kCapsKeys[] = {{"power", kInt},       {"height", kInt},         {"gain", kInt},
                          {"heading", kInt},     {"heading_str", kString}, {"range_miles", kNumber},
                          {"value", kString},    {"non_standard", kBool},  {"beacon_rate", kInt},
                          {"default_values", kBool}};
const TKey kDfKeys[] = {{"signal", kInt},  {"power", kInt},          {"height", kInt},
                        {"gain", kInt},    {"heading", kInt},        {"heading_str", kString},
                        {"range_miles", kNumber}, {"value", kString}};

template <size_t N>
void ExpectKeys(const rapidjson::Value& o, const TKey (&keys)[N], size_t optionalMembers = 0) {
  ASSERT_TRUE(o.IsObject());
  EXPECT_EQ(o.MemberCount(), N + optionalMembers);
  for (const TKey& k : keys) {
    SCOPED_TRACE(k.Name);
    ASSERT_TRUE(o.HasMember(k.Name));
    const rapidjson::Value& v = o[k.Name];
    switch (k.Kind) {
      case kBool: EXPECT_TRUE(v.IsBool()); break;
      case kInt: EXPECT_TRUE(v.IsInt64()); break;
      case kNumber: EXPECT_TRUE(v.IsNumber()); break;
      case kString: EXPECT_TRUE(v.IsString()); break;
      case kArray: EXPECT_TRUE(v.IsArray()); break;
    }
  }
}

std::string OneChar(char c) { return c == 0 ? std::string() : Cp1252ToUtf8(std::string(1, c)); }

// Every corpus line gives one output line, null exactly when the parser refuses the line, and
// otherwise an object whose keys, types and contents match the packet.
TEST(AprsDecodeTool, EveryCorpusLineGivesNullOrACompleteObject) {
  const std::string corpus = ReadAll(DRUV_FIXTURES_DIR "/corpus/real.txt");
  std::vector<std::string> in = SplitAt(corpus, "\n");
  if (!in.empty() && in.back().empty()) in.pop_back();
  ASSERT_GT(in.size(), 2000u);
  const std::vector<std::string> out = OutputLines(RunTool(corpus));
  ASSERT_EQ(out.size(), in.size());

  size_t objects = 0;
  for (size_t i = 0; i < in.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + in[i]);
    const TDoc d = ParseJson(out[i]);
    auto packet = ParsePacket(in[i], 0);
    if (!packet) {
      EXPECT_TRUE(d.IsNull());
      continue;
    }
    ++objects;
    ASSERT_TRUE(d.IsObject());
    const size_t optional = d.HasMember("message") + d.HasMember("object") + d.HasMember("capabilities") +
                            d.HasMember("df");
    ExpectKeys(d, kPacketKeys, optional);
    EXPECT_EQ(Str(d["source"]), Cp1252ToUtf8(packet->SourceCallSign.StationCall));
    EXPECT_EQ(Str(d["type"]), DataTypeNames[packet->DataTypeID]);
    EXPECT_EQ(Str(d["type_ch"]), OneChar(packet->DataTypeCh()));
    EXPECT_EQ(Str(d["information_field"]), Cp1252ToUtf8(packet->InformationField));
    EXPECT_EQ(Str(d["comment"]), Cp1252ToUtf8(packet->Comment));
    EXPECT_EQ(Str(d["symbol_table"]), OneChar(packet->SymbolTableIdentifier));
    EXPECT_EQ(Str(d["symbol_code"]), OneChar(packet->SymbolCode));
    EXPECT_EQ(d["digipeaters"].Size(), packet->Digipeaters.size());
    EXPECT_DOUBLE_EQ(d["lat"].GetDouble(), packet->Position.Latitude.Value);
    EXPECT_DOUBLE_EQ(d["lon"].GetDouble(), packet->Position.Longitude.Value);
    EXPECT_EQ(d["ambiguity"].GetInt(), packet->Position.Ambiguity);
    if (d["position_valid"].GetBool()) {
      EXPECT_LE(std::fabs(d["lat"].GetDouble()), 90);
      EXPECT_LE(std::fabs(d["lon"].GetDouble()), 180);
    } else {
      EXPECT_EQ(d["lat"].GetDouble(), 0);
      EXPECT_EQ(d["lon"].GetDouble(), 0);
    }
    EXPECT_TRUE(std::regex_match(Str(d["timestamp"]), kIso)) << Str(d["timestamp"]);

    const TAprsMessageData& m = packet->MessageData;
    ASSERT_EQ(d.HasMember("message"), m.MsgType != mtUnknown || m.MsgIndex != 0);
    if (d.HasMember("message")) {
      ExpectKeys(d["message"], kMessageKeys);
      EXPECT_EQ(Str(d["message"]["type"]), MessageTypeEnumNames[m.MsgType]);
      EXPECT_EQ(d["message"]["index"].GetInt(), m.MsgIndex);
      EXPECT_EQ(Str(d["message"]["reply_ack"]), Cp1252ToUtf8(m.ReplyAck));
    }
    ASSERT_EQ(d.HasMember("object"), !packet->ObjectData.Name.empty());
    if (d.HasMember("object")) ExpectKeys(d["object"], kObjectKeys);
    ASSERT_EQ(d.HasMember("capabilities"), packet->StationCapabilities.Valid);
    if (d.HasMember("capabilities")) ExpectKeys(d["capabilities"], kCapsKeys);
    ASSERT_EQ(d.HasMember("df"), packet->DFReport.Valid);
    if (d.HasMember("df")) ExpectKeys(d["df"], kDfKeys);
  }
  EXPECT_GT(objects, in.size() / 2);
}

// The object without its timestamp (which is the receive time for most packets).
TDoc DecodeOne(const std::string& line) {
  const std::vector<std::string> out = OutputLines(RunTool(line + "\n"));
  EXPECT_EQ(out.size(), 1u);
  TDoc d = ParseJson(out.empty() ? "" : out[0]);
  if (d.IsObject() && d.HasMember("timestamp")) {
    EXPECT_TRUE(std::regex_match(Str(d["timestamp"]), kIso));
    d.RemoveMember("timestamp");
  }
  return d;
}

TEST(AprsDecodeTool, KnownLinesGiveExactObjects) {
  struct Case {
    const char* Line;
    const char* Json;
  } cases[] = {
      {"QQ5AAA>APRS,WIDE2-1:>hello",
       R"js({"valid":true,"source":"QQ5AAA","callsign":"QQ5AAA","ssid":0,"destination":"APRS",
           "digipeaters":["WIDE2-1"],"hop_count":1,"heard_directly":true,"reverse_path":"","via_internet":false,
           "type":"dtStatus","type_ch":">","information_field":"hello","comment":"hello","symbol_table":"",
           "symbol_code":"","position_valid":false,"lat":0.0,"lon":0.0,"lat_nmea":"","lon_nmea":"",
           "gridsquare":"","course":0,"speed":0,"altitude":0,"ambiguity":0,"mobile":false,"timestamp_valid":true,
           "from_d7":false,"from_d700":false})js"},
      {"QQ5AAA-9>APRS,QQ5DDD-3*,WIDE2-1:=3330.00N/09700.00W#PHG5132 Home",
       R"js({"valid":true,"source":"QQ5AAA-9","callsign":"QQ5AAA","ssid":9,"destination":"APRS",
           "digipeaters":["QQ5DDD-3*","WIDE2-1"],"hop_count":2,"heard_directly":false,"reverse_path":"QQ5DDD-3",
           "via_internet":false,"type":"dtPositionMsg","type_ch":"=","information_field":"3330.00N/09700.00W#PHG5132 Home",
           "comment":"PHG5132 Home","symbol_table":"/","symbol_code":"#","position_valid":true,"lat":33.5,
           "lon":-97.0,"lat_nmea":"3330.00N","lon_nmea":"09700.00W","gridsquare":"EM13MM","course":0,"speed":0,
           "altitude":0,"ambiguity":0,"mobile":false,"timestamp_valid":true,"from_d7":false,"from_d700":false,
           "capabilities":{"power":25,"height":20,"gain":3,"heading":90,"heading_str":"E","range_miles":7.9527,
           "value":"PHG5132","non_standard":false,"beacon_rate":0,"default_values":false}})js"},
      {"QQ5AAA>APRS::QQ5BBB   :Hello{12",
       R"js({"valid":true,"source":"QQ5AAA","callsign":"QQ5AAA","ssid":0,"destination":"APRS","digipeaters":[],
           "hop_count":0,"heard_directly":true,"reverse_path":"","via_internet":false,"type":"dtMessage",
           "type_ch":":","information_field":"QQ5BBB   :Hello{12","comment":"","symbol_table":"","symbol_code":"",
           "position_valid":false,"lat":0.0,"lon":0.0,"lat_nmea":"","lon_nmea":"","gridsquare":"","course":0,
           "speed":0,"altitude":0,"ambiguity":0,"mobile":false,"timestamp_valid":true,"from_d7":false,"from_d700":false,
           "message":{"type":"mtGeneral","addressee":"QQ5BBB","text":"Hello","seq_id":"12","nws_state":"",
           "index":0,"reply_ack":""}})js"},
      {"QQ5AAA>APRS,TCPIP*:)ABC!3300.00N/09700.00WkDFS2360",
       R"js({"valid":true,"source":"QQ5AAA","callsign":"QQ5AAA","ssid":0,"destination":"APRS",
           "digipeaters":["TCPIP*"],"hop_count":0,"heard_directly":false,"reverse_path":"","via_internet":true,
           "type":"dtItem","type_ch":")","information_field":"ABC!3300.00N/09700.00WkDFS2360","comment":"DFS2360",
           "symbol_table":"/","symbol_code":"k","position_valid":true,"lat":33.0,"lon":-97.0,"lat_nmea":"3300.00N",
           "lon_nmea":"09700.00W","gridsquare":"EM13MA","course":0,"speed":0,"altitude":0,"ambiguity":0,"mobile":true,
           "timestamp_valid":true,"from_d7":false,"from_d700":false,"object":{"name":"ABC","active":true},
           "df":{"signal":2,"power":25,"height":80,"gain":6,"heading":0,"heading_str":"OMNI",
           "range_miles":22.4937,"value":"DFS2360"}})js"},
      // One blanked minute digit: the centre of the tenth of a minute, ambiguity 1.
      {"QQ5AAA>APRS:=3722.1 N/12159.1 W-Home",
       R"js({"valid":true,"source":"QQ5AAA","callsign":"QQ5AAA","ssid":0,"destination":"APRS","digipeaters":[],
           "hop_count":0,"heard_directly":true,"reverse_path":"","via_internet":false,"type":"dtPositionMsg",
           "type_ch":"=","information_field":"3722.1 N/12159.1 W-Home","comment":"Home","symbol_table":"/",
           "symbol_code":"-","position_valid":true,"lat":37.3692,"lon":-121.9858,"lat_nmea":"3722.1 N",
           "lon_nmea":"12159.1 W","gridsquare":"CM97AI","course":0,"speed":0,"altitude":0,"ambiguity":1,
           "mobile":false,"timestamp_valid":true,"from_d7":false,"from_d700":false,
           "capabilities":{"power":10,"height":20,"gain":3,"heading":0,"heading_str":"OMNI","range_miles":4.472136,
           "value":"","non_standard":false,"beacon_rate":0,"default_values":true}})js"},
      {"QQ5AAA>APRS::QQ5BBB   :Hi{7}AB",
       R"js({"valid":true,"source":"QQ5AAA","callsign":"QQ5AAA","ssid":0,"destination":"APRS","digipeaters":[],
           "hop_count":0,"heard_directly":true,"reverse_path":"","via_internet":false,"type":"dtMessage",
           "type_ch":":","information_field":"QQ5BBB   :Hi{7}AB","comment":"","symbol_table":"","symbol_code":"",
           "position_valid":false,"lat":0.0,"lon":0.0,"lat_nmea":"","lon_nmea":"","gridsquare":"","course":0,
           "speed":0,"altitude":0,"ambiguity":0,"mobile":false,"timestamp_valid":true,"from_d7":false,
           "from_d700":false,"message":{"type":"mtGeneral","addressee":"QQ5BBB","text":"Hi","seq_id":"7",
           "reply_ack":"AB","nws_state":"","index":0}})js"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Line);
    TDoc got = DecodeOne(c.Line);
    TDoc want = ParseJson(c.Json);
    ASSERT_TRUE(got.IsObject());
    // Ranges are single-precision; compare them to four decimals, the rest exactly.
    for (const char* block : {"capabilities", "df"}) {
      if (!want.HasMember(block) || !got.HasMember(block)) continue;
      EXPECT_NEAR(got[block]["range_miles"].GetDouble(), want[block]["range_miles"].GetDouble(), 5e-5);
      got[block]["range_miles"].SetDouble(want[block]["range_miles"].GetDouble());
    }
    EXPECT_TRUE(got == want) << "got " << [&] {
      rapidjson::StringBuffer b;
      rapidjson::Writer<rapidjson::StringBuffer> w(b);
      got.Accept(w);
      return std::string(b.GetString());
    }();
  }
}

TEST(AprsDecodeTool, RejectedAndEmptyLinesGiveNull) {
  EXPECT_EQ(RunTool("QQ5AAAA-15>APRS:>x\n\nQQ5AAA:>x\n"), "null\nnull\nnull\n");
  EXPECT_EQ(RunTool(""), "");
}

TEST(AprsDecodeTool, TextsAreConvertedFromCodePage1252AndEscaped) {
  const std::string out = RunTool("QQ5AAA>APRS:>Gr\xFC\xDF" "e \x80 \"q\" \\ \x01\n");
  EXPECT_NE(out.find(R"(\"q\" \\ \u0001)"), std::string::npos) << out;
  const TDoc d = ParseJson(OutputLines(out).at(0));
  EXPECT_EQ(Str(d["comment"]), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \"q\" \\ \x01");
}

// Every byte that JSON must escape or that needs converting is handled wherever it stands in a
// long text: each byte value after a run of 0 to 8 plain characters (Mic-E data carries 0x1C to
// 0x1E; comments carry Latin-1 letters, quotes and backslashes).
TEST(AprsDecodeTool, EveryByteValueInLongTextsIsWrittenCorrectly) {
  std::string comment;
  for (int b = 1; b < 256; ++b)
    if (b != '\n' && b != '\r') comment += std::string(b % 9, 'a') + static_cast<char>(b);
  const std::string out = RunTool("QQ5AAA>APRS:>" + comment + "\n");
  for (unsigned char b : out) EXPECT_TRUE(b >= 0x20 || b == '\n') << "raw byte " << int(b);
  const TDoc d = ParseJson(OutputLines(out).at(0));
  EXPECT_EQ(Str(d["comment"]), Cp1252ToUtf8(comment));
}

// A line ends at LF, CR or CR LF; the last line needs no end.
TEST(AprsDecodeTool, LineEnds) {
  const std::vector<std::string> out = OutputLines(RunTool("A>B:>1\r\nC>D:>2\rE>F:>3\n\nG>H:>4"));
  ASSERT_EQ(out.size(), 5u);
  const char* sources[] = {"A", "C", "E", nullptr, "G"};
  for (size_t i = 0; i < out.size(); ++i) {
    SCOPED_TRACE(i);
    const TDoc d = ParseJson(out[i]);
    if (!sources[i]) {
      EXPECT_TRUE(d.IsNull());
      continue;
    }
    ASSERT_TRUE(d.IsObject());
    EXPECT_EQ(Str(d["source"]), sources[i]);
  }
}

// Lines that straddle the tool's reads: a CR LF split between two reads counts once, and a line
// longer than one read arrives whole.
TEST(AprsDecodeTool, LinesAcrossReadBoundaries) {
  constexpr size_t kRead = 1 << 22;
  std::string input;
  const std::string line = "QQ5AAA>APRS:>" + std::string(50, 'x');
  while (input.size() + line.size() + 2 < kRead - 1) input += line + "\r\n";
  input += "B>C:>" + std::string(kRead - 1 - input.size() - 5, 'y');
  ASSERT_EQ(input.size(), kRead - 1);
  input += "\r\nD>E:>" + std::string(5 << 20, 'z') + "\nF>G:>end\n";
  const size_t expectedLines = (kRead - 1) / (line.size() + 2) + 3;

  const std::vector<std::string> out = OutputLines(RunTool(input));
  ASSERT_EQ(out.size(), expectedLines);
  const TDoc b = ParseJson(out[out.size() - 3]);
  const TDoc d = ParseJson(out[out.size() - 2]);
  const TDoc f = ParseJson(out.back());
  EXPECT_EQ(Str(b["source"]), "B");
  EXPECT_EQ(d["information_field"].GetStringLength(), 5u << 20);
  EXPECT_EQ(Str(f["information_field"]), "end");
}

// Drops the lines that show the receive time, which differs between two parses.
std::string WithoutTimes(const std::string& text) {
  std::string s;
  for (const std::string& l : SplitAt(text, "\r\n"))
    if (l.find("Received: ") == std::string::npos && l.find("Last Heard Other: ") == std::string::npos &&
        l.find("Time Stamp: ") == std::string::npos)
      s += l + "\r\n";
  return s;
}

TEST(AprsDecodeTool, RenderAndShortModes) {
  const std::string line = "QQ5AAA>APRS,WIDE2-1:!3330.00N/09700.00Wk caf\xE9";
  auto packet = ParsePacket(line, 0);
  ASSERT_TRUE(packet);
  struct Mode {
    const char* Arg;
    std::string Expected;
  } modes[] = {{"--render", packet->VerboseDisplayStr()}, {"--short", packet->ShortVerboseDisplayStr()}};
  for (const Mode& m : modes) {
    SCOPED_TRACE(m.Arg);
    const std::string out = RunTool(line + "\nQQ5AAAA-15>APRS:>x\n", m.Arg);
    const std::vector<std::string> blocks = SplitAt(out, "\r\n\r\n");
    ASSERT_EQ(blocks.size(), 3u) << out;
    EXPECT_EQ(WithoutTimes(blocks[0]), WithoutTimes(Cp1252ToUtf8(m.Expected)));
    EXPECT_NE(blocks[0].find("caf\xC3\xA9"), std::string::npos);
    EXPECT_EQ(blocks[1], "failed");
    EXPECT_EQ(blocks[2], "");
  }
}

// An unknown option and an output that cannot be written are failures, not silent successes.
TEST(AprsDecodeTool, ExitStatusReportsFailures) {
  const std::string tool = std::string("'") + DRUV_BIN_DIR + "/aprs-decode'";
  const std::string corpus = std::string("'") + DRUV_FIXTURES_DIR + "/corpus/real.txt'";
  struct Case {
    std::string Command;
    int Status;
  } cases[] = {
      {tool + " --bogus </dev/null 2>/dev/null", 2},
      {tool + " <" + corpus + " >/dev/full 2>/dev/null", 1},
      {tool + " --render <" + corpus + " >/dev/full 2>/dev/null", 1},
      {tool + " <" + corpus + " >/dev/null", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Command);
    const int status = std::system(c.Command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.Status);
  }
}

}  // namespace
}  // namespace druv
