// aprs-decode: monitor lines on standard input, one decoded packet per line on standard output.
//
//   aprs-decode            JSON Lines, one object per input line (null for a rejected line)
//   aprs-decode --render   the full text rendering of each packet, then an empty line
//   aprs-decode --short    the short rendering, then an empty line
//
// Input is 8-bit (code page 1252); a line ends at LF, CR or CR LF. Output is UTF-8.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>


#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/TAprsPacket.h"
#include "tools/aprs-decode/TJsonLineWriter.h"

namespace {

using namespace druv;

constexpr size_t kInputChunk = 1 << 22;
constexpr size_t kOutputFlushAt = 1 << 22;

enum class TMode { Json, Render, Short };

bool WriteAll(const char* data, size_t size) { return size == 0 || std::fwrite(data, 1, size, stdout) == size; }

int Usage(FILE* to) {
  std::fputs("usage: aprs-decode [--render | --short] < monitor-lines\n", to);
  return to == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  TMode mode = TMode::Json;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (a == "--render")
      mode = TMode::Render;
    else if (a == "--short")
      mode = TMode::Short;
    else if (a == "--help" || a == "-h")
      return Usage(stdout);
    else
      return Usage(stderr);
  }

  TJsonOutput out;
  out.Reserve(kOutputFlushAt + (1 << 16));
  TJsonLineWriter json(out);
  std::string text;
  bool writeFailed = false;

  auto handleLine = [&](std::string_view line) {
    auto packet = ParsePacket(line, 0);
    if (mode == TMode::Json) {
      if (packet)
        json.Packet(*packet);
      else
        json.Null();
    } else {
      if (packet)
        text = Cp1252ToUtf8(mode == TMode::Render ? packet->VerboseDisplayStr() : packet->ShortVerboseDisplayStr());
      else
        text = "failed";
      text += "\r\n\r\n";
      out.Append(text);
    }
    if (out.GetSize() >= kOutputFlushAt) {
      writeFailed |= !WriteAll(out.Data(), out.GetSize());
      out.Clear();
    }
  };

  // Lines may straddle reads: the unfinished tail moves to the front of the buffer.
  std::vector<char> in(kInputChunk);
  size_t kept = 0;
  bool pendingCr = false;  // the last chunk ended in CR; an LF that follows belongs to it
  while (!writeFailed) {
    if (in.size() - kept < kInputChunk / 2) in.resize(in.size() * 2);
    const size_t got = std::fread(in.data() + kept, 1, in.size() - kept, stdin);
    if (got == 0) break;
    const char* base = in.data();
    size_t start = 0, i = kept;
    const size_t end = kept + got;
    if (pendingCr && kept == 0 && base[0] == '\n') start = i = 1;
    pendingCr = false;
    while (i < end) {
      const void* hit = std::memchr(base + i, '\n', end - i);
      size_t lf = hit ? static_cast<const char*>(hit) - base : end;
      // A bare CR ends a line too, as the TNC sends them.
      const void* cr = std::memchr(base + i, '\r', lf - i);
      size_t stop = cr ? static_cast<const char*>(cr) - base : lf;
      if (stop == end) break;  // unfinished line
      handleLine(std::string_view(base + start, stop - start));
      i = stop + 1;
      if (base[stop] == '\r') {
        if (i < end && base[i] == '\n')
          ++i;
        else if (i == end)
          pendingCr = true;
      }
      start = i;
    }
    kept = end - start;
    std::memmove(in.data(), in.data() + start, kept);
  }
  if (kept > 0 && !writeFailed) handleLine(std::string_view(in.data(), kept));
  bool readFailed = std::ferror(stdin) != 0;

  writeFailed |= !WriteAll(out.Data(), out.GetSize());
  writeFailed |= std::fflush(stdout) != 0;
  if (readFailed) std::fputs("aprs-decode: error reading standard input\n", stderr);
  if (writeFailed) std::fputs("aprs-decode: error writing standard output\n", stderr);
  return readFailed || writeFailed ? 1 : 0;
}
