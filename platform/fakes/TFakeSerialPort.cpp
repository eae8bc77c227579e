#include "platform/fakes/TFakeSerialPort.h"

#include "common/Error.h"

namespace druv {

TFakeSerialPort::TFakeSerialPort(TJournal* journal, std::string objectName)
    : Journal_(journal), ObjectName_(std::move(objectName)) {}

void TFakeSerialPort::Receive(const std::string& bytes) {
  for (char c : bytes)
    if (Handler_) Handler_(c);
}

void TFakeSerialPort::Lose(const std::string& reason) {
  Open_ = false;
  LossPending_ = false;
  if (Journal_) Journal_->Add("port lost");
  if (LostHandler_) LostHandler_(reason);
}

void TFakeSerialPort::DeliverPendingLoss() {
  if (LossPending_) Lose("Input/output error");
}

void TFakeSerialPort::ApplySettings(const TSerialSettingsRec& settings) {
  bool reopen = Open_ && settings.Port != Settings_.Port;
  Settings_ = settings;
  if (reopen) {
    Close();
    Open();
  }
}

void TFakeSerialPort::Open() {
  ++Opens;
  if (OpenFails) {
    Open_ = false;
    throw Error("Unable to open com port " + Settings_.Port + ".");
  }
  Open_ = true;
  LossPending_ = false;
}

void TFakeSerialPort::Close() { Open_ = false; }

bool TFakeSerialPort::ShowSetupDialog() {
  ++SetupDialogs;
  if (Journal_) Journal_->Add("setup dialog");
  if (!SetupConfirms) return false;
  if (!Open_) Open();
  return true;
}

void TFakeSerialPort::StoreSettings(const std::string& path) {
  StoredPath = path;
  StoredIni = SerialSettingsToIni(Settings_);
}

void TFakeSerialPort::LoadSettings(const std::string& path) {
  LoadedPath = path;
  ApplySettings(SerialSettingsFromIni(IniToLoad, Settings_));
  if (!Open_) Open();
}

void TFakeSerialPort::WriteStr(const std::string& bytes) {
  if (!Open_) {
    if (Journal_) Journal_->Add("write failed (closed): " + Visible(bytes));
    throw Error("Com port " + Settings_.Port + " is not open.");
  }
  if (LoseAfterWrites >= 0 && Writes >= LoseAfterWrites) {
    if (Journal_) Journal_->Add("write failed (lost): " + Visible(bytes));
    Open_ = false;
    LossPending_ = true;
    LoseAfterWrites = -1;
    throw Error("Write error on " + Settings_.Port + ": Input/output error");
  }
  if (FailWritesAfter >= 0 && Writes >= FailWritesAfter) {
    if (Journal_) Journal_->Add("write failed: " + Visible(bytes));
    throw Error("Write error on " + Settings_.Port + ".");
  }
  ++Writes;
  Written += bytes;
  if (Journal_) Journal_->Add("W " + Visible(bytes));
}

void TFakeSerialPort::Purge() {
  if (!Open_ || PurgeFails) {
    if (Journal_) Journal_->Add("purge failed");
    throw Error("Com port " + Settings_.Port + " is not open.");
  }
  ++Purges;
  if (Journal_) Journal_->Add("purge");
}

}  // namespace druv
