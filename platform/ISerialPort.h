#pragma once
// The serial facility the radio port and the GPS port share.
#include <functional>
#include <string>

#include "platform/SerialSettings.h"

namespace druv {

class ISerialPort {
 public:
  virtual ~ISerialPort() = default;

  // Name of the port object; also the ini section ("ComPort1").
  virtual std::string ObjectName() const = 0;
  virtual const TSerialSettingsRec& Settings() const = 0;
  // On an open port the settings take effect at once; a new port name closes the port and opens
  // the new one. On a closed port this only records them. Throws druv::Error when a reopen fails.
  virtual void ApplySettings(const TSerialSettingsRec& settings) = 0;
  // Throws druv::Error with the facility's message when the port cannot be opened.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Modal "Setup" dialog; OK applies the choices as ApplySettings does (and opens a closed port).
  // Returns whether OK was pressed. Throws druv::Error when the port then fails to open.
  virtual bool ShowSetupDialog() = 0;
  // Ini file with the keys of SerialSettingsToIni. Load applies the settings as a setup confirmation
  // does: a closed port is opened with them (throws druv::Error when that fails).
  virtual void StoreSettings(const std::string& path) = 0;
  virtual void LoadSettings(const std::string& path) = 0;

  // Synchronous: returns once the bytes have left the port. Throws druv::Error when the port is
  // closed or the write fails.
  virtual void WriteStr(const std::string& bytes) = 0;
  // Discards everything not yet read and not yet sent. Throws druv::Error when the port is closed.
  virtual void Purge() = 0;

  // Every received byte, in order, on the UI thread.
  using TReceiveHandler = std::function<void(char)>;
  virtual void SetReceiveHandler(TReceiveHandler handler) = 0;

  // The device went away under an open port (adapter unplugged, far end closed, a read or write
  // found the resource gone). IsOpen() is false from the moment the loss is detected; every byte
  // received before it has been delivered; then the port is closed and the handler runs once, on
  // the UI thread and never from inside WriteStr or Purge. Open() may be tried again at any time.
  using TLostHandler = std::function<void(const std::string& reason)>;
  virtual void SetLostHandler(TLostHandler handler) = 0;
};

}  // namespace druv
