// DRUVaprs: an APRS station working through the built-in packet TNC of a Kenwood TS-2000.
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "app/TAppWindows.h"
#include "app/TDRUVform.h"
#include "gps/GpsPort.h"
#include "platform/IClock.h"
#include "platform/qt/TQtDialogs.h"
#include "platform/qt/TQtSerialPort.h"
#include "platform/qt/TQtWaits.h"
#include "radio/ui/TDXfunctions.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Numbers never follow the user's locale, from the first window on.
  druv::TDRUVform::SetPointDecimalSeparator();
  if (QStyle* style = QStyleFactory::create("Auric")) app.setStyle(style);
  // Only the start window ends the program; the others merely hide when closed.
  app.setQuitOnLastWindowClosed(false);

  druv::TQtSerialPort radioPort("ComPort1");
  druv::TQtSerialPort gpsPort(druv::GpsPortObjectName);
  druv::TQtDialogs dialogs;
  druv::TQtWaits waits;
  druv::TSystemClock clock;

  // Boxes stay without a parent window: most windows are hidden most of the time.
  try {
    druv::TAppWindows windows(radioPort, gpsPort, dialogs, waits, clock);
    QObject::connect(&windows.DRUVform(), &druv::TDRUVform::Closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    const int rc = app.exec();
    // Every ticker ends and is joined before the windows and services go.
    windows.StopTickers();
    return rc;
  } catch (const std::exception& e) {
    // A window that cannot even be created leaves no program to run.
    dialogs.Error(e.what());
    return 1;
  }
}
