// aprs-decode: monitor lines on standard input, one decoded packet per line on standard output.
//
//   aprs-decode            JSON Lines, one object per input line (null for a rejected line)
//   aprs-decode --render   the full text rendering of each packet, then an empty line
//   aprs-decode --short    the short rendering, then an empty line
//
// Input is 8-bit (code page 1252); a line ends at LF, CR or CR LF. Output is UTF-8.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>
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
constexpr unsigned kMaxWorkers = 8;

enum class TMode { Json, Render, Short };

bool WriteAll(const char* data, size_t size) { return size == 0 || std::fwrite(data, 1, size, stdout) == size; }

int Usage(FILE* to) {
  std::fputs("usage: aprs-decode [--render | --short] < monitor-lines\n", to);
  return to == stdout ? 0 : 2;
}

// Decodes a run of lines into its own output buffer, so several can work on one chunk at once
// (the parser keeps no state between lines) and their outputs are written in input order.
class TWorker {
 public:
  explicit TWorker(TMode mode) : Mode_(mode), Json_(Out) { Out.Reserve(1 << 22); }

  void Lines(const std::string_view* first, const std::string_view* last) {
    for (; first != last; ++first) Line(*first);
  }

  void Line(std::string_view line) {
    auto packet = ParsePacket(line, 0);
    if (Mode_ == TMode::Json) {
      if (packet)
        Json_.Packet(*packet);
      else
        Json_.Null();
      return;
    }
    if (packet)
      Text_ = Cp1252ToUtf8(Mode_ == TMode::Render ? packet->VerboseDisplayStr() : packet->ShortVerboseDisplayStr());
    else
      Text_ = "failed";
    Text_ += "\r\n\r\n";
    Out.Append(Text_);
  }

  TJsonOutput Out;

 private:
  TMode Mode_;
  TJsonLineWriter Json_;
  std::string Text_;
};

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

  const unsigned workerCount = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
  std::vector<std::unique_ptr<TWorker>> workers;
  for (unsigned w = 0; w < workerCount; ++w) workers.push_back(std::make_unique<TWorker>(mode));
  bool writeFailed = false;

  // The complete lines of one chunk, split evenly among the workers, written back in order.
  std::vector<std::string_view> lines;
  auto decode = [&] {
    const size_t n = lines.size();
    const size_t share = (n + workerCount - 1) / workerCount;
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workerCount && w * share < n; ++w) {
      const std::string_view* first = lines.data() + w * share;
      const std::string_view* last = lines.data() + std::min(n, (w + 1) * share);
      threads.emplace_back([&, w, first, last] { workers[w]->Lines(first, last); });
    }
    workers[0]->Lines(lines.data(), lines.data() + std::min(n, share));
    for (auto& t : threads) t.join();
    for (auto& w : workers) {
      if (!writeFailed) writeFailed = !WriteAll(w->Out.Data(), w->Out.GetSize());
      w->Out.Clear();
    }
    lines.clear();
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
      lines.emplace_back(base + start, stop - start);
      i = stop + 1;
      if (base[stop] == '\r') {
        if (i < end && base[i] == '\n')
          ++i;
        else if (i == end)
          pendingCr = true;
      }
      start = i;
    }
    decode();
    kept = end - start;
    std::memmove(in.data(), in.data() + start, kept);
  }
  if (kept > 0 && !writeFailed) {
    lines.emplace_back(in.data(), kept);
    decode();
  }
  bool readFailed = std::ferror(stdin) != 0;

  writeFailed |= std::fflush(stdout) != 0;
  if (readFailed) std::fputs("aprs-decode: error reading standard input\n", stderr);
  if (writeFailed) std::fputs("aprs-decode: error writing standard output\n", stderr);
  return readFailed || writeFailed ? 1 : 0;
}
