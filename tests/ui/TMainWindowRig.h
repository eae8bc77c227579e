#pragma once
// A main window over fakes, in an application folder of its own that holds the files of a fresh
// installation.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>

#include "common/Files.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingBrowser.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/ui/TDXfunctions.h"

namespace druv {

inline constexpr const char* InstalledQth = "installed";

struct TRig {
  QTemporaryDir Dir;
  TJournal J;
  TFakeSerialPort Port{&J};
  TScriptedDialogs Dialogs{&J};
  TRecordingWaits Waits;
  TFakeClock Clock;
  TRecordingBrowser Browser;
  std::unique_ptr<TDXfunctions> Window;
  int TickersStarted = 0;

  // qth: the bytes of "qth.cfg", InstalledQth for the file that comes with the program, nullptr for none.
  // more: further files of the folder, name and bytes.
  explicit TRig(const std::string& settings = std::string(), bool expectMyCallBox = false,
                const char* qth = InstalledQth, const std::map<std::string, std::string>& more = {}) {
    SetAppFolder(Dir.path().toStdString());
    WriteFileAtomic(AppPath("aprssettings.txt"),
                    settings.empty() ? *ReadFile(DRUV_SOURCE_DIR "/data/aprssettings.txt") : settings);
    if (qth == InstalledQth)
      WriteFileAtomic(AppPath("qth.cfg"), *ReadFile(DRUV_SOURCE_DIR "/data/qth.cfg"));
    else if (qth)
      WriteFileAtomic(AppPath("qth.cfg"), qth);
    for (const auto& [name, bytes] : more) WriteFileAtomic(AppPath(name), bytes);
    if (expectMyCallBox)
      Dialogs.Expect("error",
                     "To begin, you MUST enter MYCALL data (Preferences> APRS TNC Settings) and your position info "
                     "(Preferences>Create a Position Packet. ");
    Window = std::make_unique<TDXfunctions>(Port, Dialogs, Waits, Clock);
    Window->SetBrowser(Browser);
    Window->StartTickerHook = [this] { ++TickersStarted; };
    J.Clear();
  }
  ~TRig() { SetAppFolder(DRUV_BIN_DIR); }
};

inline QAction* FindAction(QMainWindow* w, const QString& text) {
  for (QAction* top : w->menuBar()->actions())
    for (QAction* a : top->menu()->actions())
      if (a->text() == text) return a;
  return nullptr;
}

}  // namespace druv
