#pragma once
// A recording serial port with failure modes.
#include <string>

#include "platform/ISerialPort.h"
#include "platform/fakes/TJournal.h"

namespace druv {

class TFakeSerialPort : public ISerialPort {
 public:
  explicit TFakeSerialPort(TJournal* journal = nullptr, std::string objectName = "ComPort1");

  // Failure modes.
  bool OpenFails = false;          // Open() throws
  int FailWritesAfter = -1;        // -1: never; n: the write after n successful ones throws, and all later
  bool PurgeFails = false;
  bool SetupConfirms = true;       // answer of the setup dialog
  int LoseAfterWrites = -1;        // -1: never; n: the write after n successful ones finds the device
                                   // gone: it throws, the port closes, DeliverPendingLoss reports it

  // What was recorded.
  std::string Written;             // every byte written, in order
  int Writes = 0, Purges = 0, Opens = 0, SetupDialogs = 0;
  std::string StoredPath, LoadedPath;
  TIniSection StoredIni;           // the ini written by StoreSettings
  TIniSection IniToLoad;           // what LoadSettings reads

  // Feeds bytes to the receive handler as the driver would.
  void Receive(const std::string& bytes);
  // The device goes away: the port closes and the loss is reported, as from the event loop.
  void Lose(const std::string& reason = "Device disappeared from the system.");
  // Reports a loss found by a write (LoseAfterWrites); the real port does it from the event loop.
  void DeliverPendingLoss();

  std::string ObjectName() const override { return ObjectName_; }
  const TSerialSettingsRec& Settings() const override { return Settings_; }
  void ApplySettings(const TSerialSettingsRec& settings) override;
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return Open_; }
  bool ShowSetupDialog() override;
  void StoreSettings(const std::string& path) override;
  void LoadSettings(const std::string& path) override;
  void WriteStr(const std::string& bytes) override;
  void Purge() override;
  void SetReceiveHandler(TReceiveHandler handler) override { Handler_ = std::move(handler); }
  void SetLostHandler(TLostHandler handler) override { LostHandler_ = std::move(handler); }

  void SetOpenState(bool open) { Open_ = open; }

 private:
  TJournal* Journal_;
  std::string ObjectName_;
  TSerialSettingsRec Settings_;
  bool Open_ = false;
  TReceiveHandler Handler_;
  TLostHandler LostHandler_;
  bool LossPending_ = false;
};

}  // namespace druv
