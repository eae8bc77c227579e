#pragma once
// The serial facility over QSerialPort. On Linux a port name is a device path (/dev/ttyUSB0).
// Received bytes are delivered from readyRead on the thread that owns the object (the UI thread).
#include <QObject>
#include <QSerialPort>
#include <string>

#include "platform/ISerialPort.h"

class QElapsedTimer;

namespace druv {

class TQtSerialPort : public QObject, public ISerialPort {
  Q_OBJECT

 public:
  explicit TQtSerialPort(const std::string& objectName = "ComPort1", QObject* parent = nullptr);
  ~TQtSerialPort() override;

  std::string ObjectName() const override { return ObjectName_; }
  const TSerialSettingsRec& Settings() const override { return Settings_; }
  void ApplySettings(const TSerialSettingsRec& settings) override;
  void Open() override;
  void Close() override;
  bool IsOpen() const override;

  bool ShowSetupDialog() override;
  void StoreSettings(const std::string& path) override;
  void LoadSettings(const std::string& path) override;

  void WriteStr(const std::string& bytes) override;
  void Purge() override;
  void SetReceiveHandler(TReceiveHandler handler) override { Handler_ = std::move(handler); }
  void SetLostHandler(TLostHandler handler) override { LostHandler_ = std::move(handler); }

 private:
  void ConfigureLine();
  void DeliverReceived();
  void DrainOutput(qint64 deadlineMs, const QElapsedTimer& clock);
  bool OutputPending() const;
  [[noreturn]] void Fail(const std::string& what) const;
  [[noreturn]] void FailClosed() const;
  // A failed write or purge: when the line has hung up, the port is lost as well.
  [[noreturn]] void FailIo(const std::string& what);

  void OnError(QSerialPort::SerialPortError error);
  bool HungUp() const;
  void MarkLost(const std::string& reason);
  void FinishLoss(unsigned generation, const std::string& reason);

  std::string ObjectName_;
  TSerialSettingsRec Settings_;
  QSerialPort* Port_;
  TReceiveHandler Handler_;
  TLostHandler LostHandler_;
  bool Lost_ = false;        // detected; the port is closed and reported from the event loop
  unsigned Generation_ = 0;  // counts opens and closes, so a stale loss report is dropped
  int ReadFailures_ = 0;     // failed reads since the last byte
};

}  // namespace druv
