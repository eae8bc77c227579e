// tnc-sim: a simulated Kenwood TS-2000 with its built-in TNC on a pseudo-terminal.
//
// Prints the device path of the terminal side on the first line of stdout, records what the
// station writes, answers a break-in (0x03) with a "cmd:" prompt and, once it has seen "TC 0;"
// and "MON ON" (and no later "TC 1;" or "MON OFF"), plays monitor lines from a capture file.
// With --gps it is a GPS receiver instead, sending NMEA sentences from the start.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "common/Files.h"
#include "common/Numbers.h"
#include "tools/tnc-sim/TGpsSim.h"
#include "tools/tnc-sim/TTncSim.h"

namespace {

volatile sig_atomic_t gStop = 0;
void OnStopSignal(int) { gStop = 1; }

const char* kUsage =
    "usage: tnc-sim [--link PATH] [--record FILE] [--raw FILE] [--play FILE] [--rate LINES_PER_SECOND]\n"
    "               [--loop] [--line-end CR|CRLF|LFCR] [--ack-messages] [--gps [--gps-at LAT,LON]]\n"
    "  --link PATH      make PATH a symbolic link to the terminal device\n"
    "  --record FILE    text log of every read: seconds since start, then the bytes (<CR> <LF> <03> ...)\n"
    "  --raw FILE       the exact bytes received\n"
    "  --play FILE      monitor lines to send, one per line of FILE\n"
    "  --rate N         lines per second (default 2)\n"
    "  --loop           start the capture again after its last line\n"
    "  --line-end E     what follows each monitor line: CR (default), CRLF or LFCR\n"
    "  --ack-messages   play the addressee's ack one second after each numbered APRS message sent\n"
    "  --gps            be a GPS receiver: NMEA sentences with CR LF from the start, --rate fixes per\n"
    "                   second (default 1); --play FILE sends the sentences of FILE as they stand\n"
    "  --gps-at LAT,LON the receiver's own fix in decimal degrees, north and east positive (default\n"
    "                   48.1173,11.516667): $GPGGA and $GPRMC with the current UTC time and checksums\n"
    "Playing starts once \"TC 0;\" and \"MON ON\" have been received, pauses on \"TC 1;\" or \"MON OFF\".\n"
    "Stops on SIGTERM, SIGINT or SIGHUP.\n";

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "tnc-sim: %s\n", what.c_str());
  std::exit(1);
}
[[noreturn]] void FailErrno(const std::string& what) { Fail(what + ": " + std::strerror(errno)); }

double Now(const timespec& start) {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec - start.tv_sec) + static_cast<double>(t.tv_nsec - start.tv_nsec) / 1e9;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

int OpenOutput(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) FailErrno("cannot create " + path);
  return fd;
}

// The link is replaced in one step, so a reader never sees a missing or half-made link.
void MakeLink(const std::string& link, const std::string& target) {
  std::string tmp = link + ".tmp";
  ::unlink(tmp.c_str());
  if (::symlink(target.c_str(), tmp.c_str()) != 0) FailErrno("cannot create link " + tmp);
  if (::rename(tmp.c_str(), link.c_str()) != 0) {
    ::unlink(tmp.c_str());
    FailErrno("cannot create link " + link);
  }
}

void RemoveLinkIfOurs(const std::string& link, const std::string& target) {
  char buf[4096];
  ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
  if (n > 0 && std::string(buf, static_cast<size_t>(n)) == target) ::unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace druv;
  std::string linkPath, recordPath, rawPath, playPath;
  TTncSimOptionsRec options;
  TGpsSimOptionsRec gpsOptions;
  bool gps = false, rateGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Fail(a + " needs a value\n" + kUsage);
      return argv[++i];
    };
    if (a == "--link") linkPath = value();
    else if (a == "--record") recordPath = value();
    else if (a == "--raw") rawPath = value();
    else if (a == "--play") playPath = value();
    else if (a == "--loop") options.Loop = true;
    else if (a == "--ack-messages") options.AckMessages = true;
    else if (a == "--rate") {
      std::string v = value();
      auto r = ParseDouble(v);
      if (!r || !(*r > 0) || !std::isfinite(*r)) Fail("--rate needs a positive number of lines per second, not " + v);
      options.RateLinesPerSecond = *r;
      rateGiven = true;
    } else if (a == "--line-end") {
      std::string v = value();
      if (v == "CR") options.LineEnd = "\r";
      else if (v == "CRLF") options.LineEnd = "\r\n";
      else if (v == "LFCR") options.LineEnd = "\n\r";
      else Fail("--line-end takes CR, CRLF or LFCR, not " + v);
    } else if (a == "--gps") {
      gps = true;
    } else if (a == "--gps-at") {
      std::string v = value();
      const size_t comma = v.find(',');
      auto lat = comma == std::string::npos ? std::nullopt : ParseDouble(v.substr(0, comma));
      auto lon = comma == std::string::npos ? std::nullopt : ParseDouble(v.substr(comma + 1));
      if (!lat || !lon || !(std::fabs(*lat) <= 90) || !(std::fabs(*lon) <= 180))
        Fail("--gps-at needs LAT,LON in decimal degrees, not " + v);
      gpsOptions.Latitude = *lat;
      gpsOptions.Longitude = *lon;
      gps = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      Fail("unknown argument " + a + "\n" + kUsage);
    }
  }
  if (!playPath.empty()) {
    auto lines = ReadLines(playPath);
    if (!lines) Fail("cannot read " + playPath);
    options.Lines = std::move(*lines);
  }
  int recordFd = recordPath.empty() ? -1 : OpenOutput(recordPath);
  int rawFd = rawPath.empty() ? -1 : OpenOutput(rawPath);

  int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) FailErrno("posix_openpt");
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0) FailErrno("grantpt/unlockpt");
  char slaveName[256];
  if (::ptsname_r(master, slaveName, sizeof slaveName) != 0) FailErrno("ptsname");
  // Held open for the whole run: without it the master reads EIO (and polls as hung up) every
  // time the station closes the port, and the station could not reopen it.
  int slave = ::open(slaveName, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) FailErrno(std::string("cannot open ") + slaveName);
  termios tio{};
  if (::tcgetattr(slave, &tio) != 0) FailErrno("tcgetattr");
  // Raw: no echo of our own monitor lines back to us, no CR/LF translation, all 256 byte values.
  ::cfmakeraw(&tio);
  if (::tcsetattr(slave, TCSANOW, &tio) != 0) FailErrno("tcsetattr");
  int flags = ::fcntl(master, F_GETFL);
  ::fcntl(master, F_SETFL, flags | O_NONBLOCK);

  if (!linkPath.empty()) MakeLink(linkPath, slaveName);

  sigset_t stopSignals, waitMask;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGHUP);
  // Blocked except inside ppoll, so a stop signal always ends the wait instead of slipping past it.
  sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
  sigdelset(&waitMask, SIGTERM);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGHUP);
  struct sigaction sa{};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::printf("%s\n", slaveName);
  std::fflush(stdout);

  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  std::unique_ptr<ISimDevice> sim;
  if (gps) {
    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    gpsOptions.StartUtcSeconds = static_cast<double>(wall.tv_sec) + static_cast<double>(wall.tv_nsec) / 1e9;
    gpsOptions.Sentences = std::move(options.Lines);
    gpsOptions.Loop = options.Loop;
    if (rateGiven) gpsOptions.RateFixesPerSecond = options.RateLinesPerSecond;
    sim = std::make_unique<TGpsSim>(std::move(gpsOptions));
  } else {
    sim = std::make_unique<TTncSim>(std::move(options));
  }
  std::string pending;  // bytes for the station that the terminal could not take yet
  // When nobody reads, the terminal's input queue fills; lines beyond this are dropped, as the
  // radio would lose them with nobody listening.
  const size_t kMaxPending = 64 * 1024;
  char buf[4096];

  while (!gStop) {
    double now = Now(start);
    while (auto line = sim->NextLine(now))
      if (pending.size() + line->size() <= kMaxPending) pending += *line;

    double wait = sim->SecondsUntilNextLine(now);
    pollfd pfd{master, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0};
    timespec timeout{};
    timespec* timeoutPtr = nullptr;
    if (wait >= 0) {
      timeout.tv_sec = static_cast<time_t>(wait);
      timeout.tv_nsec = static_cast<long>((wait - std::floor(wait)) * 1e9) + 1000000;  // never 0 ms early
      if (timeout.tv_nsec >= 1000000000L) {
        timeout.tv_sec += 1;
        timeout.tv_nsec -= 1000000000L;
      }
      timeoutPtr = &timeout;
    }
    int r = ::ppoll(&pfd, 1, timeoutPtr, &waitMask);
    if (r < 0) {
      if (errno == EINTR) continue;
      FailErrno("poll");
    }
    if (r == 0) continue;

    if (pfd.revents & POLLIN) {
      ssize_t n = ::read(master, buf, sizeof buf);
      if (n > 0) {
        std::string_view chunk(buf, static_cast<size_t>(n));
        if (rawFd >= 0) WriteAll(rawFd, std::string(chunk));
        if (recordFd >= 0) WriteAll(recordFd, FormatFixed(Now(start), 3) + " " + VisibleBytes(chunk) + "\n");
        pending += sim->Receive(chunk, Now(start));
      }
    } else if (pfd.revents & (POLLHUP | POLLERR)) {
      // Cannot happen while the slave is held open; guard against a busy loop all the same.
      ::poll(nullptr, 0, 100);
    }
    if (!pending.empty() && (pfd.revents & POLLOUT)) {
      ssize_t n = ::write(master, pending.data(), pending.size());
      if (n > 0) pending.erase(0, static_cast<size_t>(n));
    }
  }

  if (!linkPath.empty()) RemoveLinkIfOurs(linkPath, slaveName);
  ::close(slave);
  ::close(master);
  if (recordFd >= 0) ::close(recordFd);
  if (rawFd >= 0) ::close(rawFd);
  return 0;
}
