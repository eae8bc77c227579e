#include "platform/qt/TQtSerialPort.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/Error.h"
#include "platform/qt/QtIniFile.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TSerialSetupDialog.h"

namespace druv {

// Buffer sizes: the input size bounds QSerialPort's read buffer. QSerialPort has no bounded output
// buffer to set, and none is needed: WriteStr returns only when its bytes are out, so at most one
// text is ever queued; OutputBufferSize is kept as a setting (and in the dialog's round trip) only.

namespace {

QSerialPort::DataBits ToQt(int dataBits) {
  switch (dataBits) {
    case 5: return QSerialPort::Data5;
    case 6: return QSerialPort::Data6;
    case 7: return QSerialPort::Data7;
    default: return QSerialPort::Data8;
  }
}
QSerialPort::StopBits ToQt(TStopBits v) {
  switch (v) {
    case sbOneAndHalf: return QSerialPort::OneAndHalfStop;
    case sbTwo: return QSerialPort::TwoStop;
    default: return QSerialPort::OneStop;
  }
}
QSerialPort::Parity ToQt(TParity v) {
  switch (v) {
    case paOdd: return QSerialPort::OddParity;
    case paEven: return QSerialPort::EvenParity;
    case paMark: return QSerialPort::MarkParity;
    case paSpace: return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
  }
}
QSerialPort::FlowControl ToQt(TFlowControl v) {
  switch (v) {
    case fcHardware: return QSerialPort::HardwareControl;  // RTS/CTS
    case fcSoftware: return QSerialPort::SoftwareControl;
    // Custom (hand-picked handshake lines) has no QSerialPort counterpart: no handshake.
    default: return QSerialPort::NoFlowControl;
  }
}

// Qt leaves the read notifier on after a failed read; a line that fails this often in a row without
// a byte in between is treated as gone rather than left spinning the event loop.
constexpr int kMaxReadFailures = 50;

// Time the bytes need on the line at the slowest framing (1 start, 8 data, parity, 2 stop bits),
// plus slack for a radio that holds CTS a moment.
qint64 WriteBudgetMs(size_t bytes, int baudRate) {
  const qint64 rate = std::max(baudRate, 1);
  return 2000 + static_cast<qint64>(bytes) * 12 * 1000 / rate;
}

}  // namespace

TQtSerialPort::TQtSerialPort(const std::string& objectName, QObject* parent)
    : QObject(parent), ObjectName_(objectName), Port_(new QSerialPort(this)) {
  setObjectName(QString::fromStdString(objectName));
  connect(Port_, &QSerialPort::readyRead, this, &TQtSerialPort::DeliverReceived);
  connect(Port_, &QSerialPort::errorOccurred, this, &TQtSerialPort::OnError);
}

TQtSerialPort::~TQtSerialPort() { Close(); }

bool TQtSerialPort::IsOpen() const { return Port_->isOpen() && !Lost_; }

void TQtSerialPort::Fail(const std::string& what) const { throw Error(Settings_.Port + ": " + what); }

void TQtSerialPort::FailClosed() const { Fail("The port is not open."); }

void TQtSerialPort::FailIo(const std::string& what) {
  if (HungUp()) MarkLost(what);
  Fail(what);
}

void TQtSerialPort::ApplySettings(const TSerialSettingsRec& settings) {
  const bool newPort = settings.Port != Settings_.Port;
  Settings_ = settings;
  if (!IsOpen()) return;
  if (newPort) {
    Close();
    Open();
  } else {
    ConfigureLine();
  }
}

void TQtSerialPort::ConfigureLine() {
  Port_->setReadBufferSize(std::max(Settings_.InputBufferSize, 0));
  const bool ok = Port_->setBaudRate(Settings_.BaudRate) && Port_->setDataBits(ToQt(Settings_.DataBits)) &&
                  Port_->setParity(ToQt(Settings_.Parity)) && Port_->setStopBits(ToQt(Settings_.StopBits)) &&
                  Port_->setFlowControl(ToQt(Settings_.FlowControl));
  if (!ok) Fail(FromQString(Port_->errorString()));
  if (Settings_.HoldDtrRtsInactive && Settings_.FlowControl != fcHardware) {
    // Best effort: a pseudo-terminal or a USB adapter without modem lines cannot set them, and the
    // data still flows without.
    Port_->setDataTerminalReady(false);
    Port_->setRequestToSend(false);
    Port_->clearError();
  }
}

void TQtSerialPort::Open() {
  if (IsOpen()) return;
  // A lost port whose close is still pending is closed now; its loss is no longer reported.
  Close();
  ReadFailures_ = 0;
  Port_->setPortName(ToQString(Settings_.Port));
  if (!Port_->open(QIODevice::ReadWrite)) Fail(FromQString(Port_->errorString()));
  try {
    ConfigureLine();
  } catch (...) {
    // A port that cannot take its settings would talk to the radio at the wrong speed.
    Close();
    throw;
  }
}

void TQtSerialPort::Close() {
  ++Generation_;
  Lost_ = false;
  if (Port_->isOpen()) Port_->close();
}

bool TQtSerialPort::ShowSetupDialog() {
  TSerialSetupDialog dialog(Settings_, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  ApplySettings(dialog.Choice());
  if (!IsOpen()) Open();
  return true;
}

void TQtSerialPort::StoreSettings(const std::string& path) {
  // Other sections of the file are kept; the old file stays whole until the new one is complete.
  WriteIniSection(path, ObjectName_, SerialSettingsToIni(Settings_));
}

void TQtSerialPort::LoadSettings(const std::string& path) {
  ApplySettings(SerialSettingsFromIni(ReadIniSection(path, ObjectName_), Settings_));
  if (!IsOpen()) Open();
}

bool TQtSerialPort::OutputPending() const {
  if (Port_->bytesToWrite() > 0) return true;
  int queued = 0;
  return ::ioctl(Port_->handle(), TIOCOUTQ, &queued) == 0 && queued > 0;
}

void TQtSerialPort::WriteStr(const std::string& bytes) {
  if (!IsOpen()) FailClosed();
  if (bytes.empty()) return;
  QElapsedTimer clock;
  clock.start();
  const qint64 budget = WriteBudgetMs(bytes.size(), Settings_.BaudRate);
  const qint64 size = static_cast<qint64>(bytes.size());
  if (Port_->write(bytes.data(), size) != size) {
    std::string why = FromQString(Port_->errorString());
    Port_->clear(QSerialPort::Output);
    FailIo(why);
  }
  while (Port_->bytesToWrite() > 0) {
    const qint64 left = budget - clock.elapsed();
    if (left <= 0 || !Port_->waitForBytesWritten(static_cast<int>(left))) {
      const bool timedOut = left <= 0 || Port_->error() == QSerialPort::TimeoutError;
      std::string why = timedOut ? "Write timed out." : FromQString(Port_->errorString());
      // Bytes left behind would otherwise go out later, in the middle of some other command.
      if (IsOpen()) Port_->clear(QSerialPort::Output);
      FailIo(why);
    }
    if (!IsOpen()) FailClosed();
  }
  DrainOutput(budget, clock);
}

// write() only queues the bytes in the driver; wait until the driver has sent them, so that a purge
// right after a write cannot throw away a command that never reached the radio. The queue is
// polled first so that a radio holding CTS low ends in a timeout error, not a hung program.
void TQtSerialPort::DrainOutput(qint64 budgetMs, const QElapsedTimer& clock) {
  const int fd = Port_->handle();
  for (;;) {
    int queued = 0;
    if (::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
    if (clock.elapsed() >= budgetMs) {
      ::tcflush(fd, TCOFLUSH);
      Fail("Write timed out.");
    }
    QThread::usleep(500);
  }
  while (::tcdrain(fd) != 0) {
    if (errno == EINTR) continue;
    FailIo(std::strerror(errno));
  }
}

void TQtSerialPort::Purge() {
  if (!IsOpen()) FailClosed();
  bool ok = Port_->clear(QSerialPort::Input);
  // Every write has already left the port, so the output side is normally empty. It is flushed only
  // when something is really queued: on a pseudo-terminal an output flush also discards what the
  // other end has not read yet, i.e. bytes that were already sent.
  if (OutputPending()) ok = Port_->clear(QSerialPort::Output) && ok;
  if (!ok) FailIo(FromQString(Port_->errorString()));
}

void TQtSerialPort::DeliverReceived() {
  const QByteArray data = Port_->readAll();
  if (!data.isEmpty()) ReadFailures_ = 0;
  // A copy: the handler may replace itself while bytes are being delivered.
  const TReceiveHandler handler = Handler_;
  if (!handler) return;
  for (char c : data) {
    try {
      handler(c);
    } catch (const std::exception& e) {
      // Exceptions must not cross Qt's event loop; the remaining bytes are still delivered.
      qWarning("%s: receive handler failed: %s", ObjectName_.c_str(), e.what());
    }
  }
}

bool TQtSerialPort::HungUp() const {
  if (!Port_->isOpen()) return false;
  pollfd p{Port_->handle(), POLLIN | POLLOUT, 0};
  return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void TQtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (!Port_->isOpen() || Lost_) return;
  if (error == QSerialPort::ResourceError) {
    MarkLost(FromQString(Port_->errorString()));
  } else if (error == QSerialPort::ReadError) {
    // A read that finds the line hung up returns nothing (end of file) and Qt reports a plain
    // read error with a stale system message.
    if (HungUp())
      MarkLost("The device hung up.");
    else if (++ReadFailures_ >= kMaxReadFailures)
      MarkLost(FromQString(Port_->errorString()));
  }
}

// The close and the report wait for the event loop: the error may come from inside a write, and
// QSerialPort must not be closed from within its own notification.
void TQtSerialPort::MarkLost(const std::string& reason) {
  if (Lost_ || !Port_->isOpen()) return;
  Lost_ = true;
  const unsigned generation = Generation_;
  QMetaObject::invokeMethod(
      this, [this, generation, reason] { FinishLoss(generation, reason); }, Qt::QueuedConnection);
}

void TQtSerialPort::FinishLoss(unsigned generation, const std::string& reason) {
  if (generation != Generation_ || !Lost_) return;
  // What was read before the loss still reaches the handler, in order.
  if (Port_->bytesAvailable() > 0) DeliverReceived();
  Port_->close();
  Lost_ = false;
  const TLostHandler handler = LostHandler_;
  if (!handler) return;
  try {
    handler(reason);
  } catch (const std::exception& e) {
    qWarning("%s: lost-port handler failed: %s", ObjectName_.c_str(), e.what());
  }
}

}  // namespace druv
