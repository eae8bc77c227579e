#pragma once
// tnc-sim run by a Qt test: a simulated TS-2000 on a pseudo-terminal, in its own temporary folder,
// recording what it receives (raw bytes and the readable log). Needs DRUV_BIN_DIR.
#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <string>

namespace druv {

class TTncSimProcess {
 public:
  // extra: further tnc-sim arguments, e.g. {"--play", file, "--rate", "50"}.
  explicit TTncSimProcess(QStringList extra = {}) {
    Process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Process_.start(DRUV_BIN_DIR "/tnc-sim", QStringList{"--raw", RawPath(), "--record", LogPath()} + extra);
    if (!Process_.waitForStarted(5000)) return;
    while (!Process_.canReadLine())
      if (!Process_.waitForReadyRead(5000)) return;
    Device_ = QString::fromLocal8Bit(Process_.readLine()).trimmed().toStdString();
  }
  ~TTncSimProcess() {
    Freeze(false);
    Process_.terminate();
    if (!Process_.waitForFinished(3000)) Process_.kill();
  }
  TTncSimProcess(const TTncSimProcess&) = delete;
  TTncSimProcess& operator=(const TTncSimProcess&) = delete;

  // The terminal device to open; empty when tnc-sim did not start.
  const std::string& Device() const { return Device_; }
  QString Path(const char* name) const { return Dir_.filePath(name); }
  QString RawPath() const { return Path("raw.bin"); }
  QString LogPath() const { return Path("tnc-sim.log"); }
  // Every byte received so far.
  std::string Raw() const { return ReadAll(RawPath()); }
  std::string Log() const { return ReadAll(LogPath()); }
  // Waits (processing events) until at least size bytes have been received, at most 5 s.
  std::string WaitRaw(size_t size) const {
    for (int i = 0; i < 500 && Raw().size() < size; ++i) QTest::qWait(10);
    return Raw();
  }
  bool Running() const { return Process_.state() == QProcess::Running; }
  // A radio that stops taking bytes (and takes them again).
  void Freeze(bool frozen) {
    if (Running()) ::kill(static_cast<pid_t>(Process_.processId()), frozen ? SIGSTOP : SIGCONT);
  }

  static std::string ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
  }

 private:
  QTemporaryDir Dir_;
  QProcess Process_;
  std::string Device_;
};

}  // namespace druv
