// The serial "Setup" dialog, driven through TQtSerialPort::ShowSetupDialog.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/Error.h"
#include "platform/qt/TQtSerialPort.h"
#include "platform/qt/TSerialSetupDialog.h"
#include "tests/platform_qt/ModalDialog.h"

using namespace druv;

namespace {

// A pseudo-terminal the port can open; the test holds the other side.
struct TPty {
  int Master = -1;
  std::string Device;
  TPty() {
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (Master >= 0 && grantpt(Master) == 0 && unlockpt(Master) == 0) Device = ptsname(Master);
  }
  ~TPty() {
    if (Master >= 0) close(Master);
  }
};

}  // namespace

class SetupDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheFieldsAndButtons() {
    TSerialSettingsRec current;
    current.Port = "/dev/ttyS4";
    current.BaudRate = 12345;
    TSerialSetupDialog dialog(current);
    QCOMPARE(dialog.windowTitle(), QString("Setup"));
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>()) labels << l->text();
    QCOMPARE(labels, (QStringList{"Port", "Baud rate", "Data bits", "Stop bits", "Parity", "Flow control"}));
    for (const QString& label : labels) {
      QComboBox* box = Named<QComboBox>(&dialog, label);
      QVERIFY2(box, qPrintable(label));
    }
    for (const char* caption : {"OK", "Cancel"}) {
      QPushButton* b = Named<QPushButton>(&dialog, caption);
      QVERIFY(b);
      QCOMPARE(b->text(), QString(caption));
    }
    QComboBox* port = Named<QComboBox>(&dialog, "Port");
    QVERIFY(port->isEditable());
    QCOMPARE(port->currentText(), QString("/dev/ttyS4"));
    QComboBox* baud = Named<QComboBox>(&dialog, "Baud rate");
    QVERIFY(baud->isEditable());
    QCOMPARE(baud->count(), 15);
    QCOMPARE(baud->itemText(0), QString("110"));
    QCOMPARE(baud->itemText(14), QString("256000"));
    QCOMPARE(baud->currentText(), QString("12345"));
    QVERIFY(dialog.Choice() == current);

    // Without a rate there is nothing to confirm.
    baud->setCurrentText("");
    QVERIFY(!Named<QPushButton>(&dialog, "OK")->isEnabled());
    baud->setCurrentText("4800");
    QVERIFY(Named<QPushButton>(&dialog, "OK")->isEnabled());
  }

  void okAppliesTheChoicesAndOpensTheClosedPort() {
    TPty pty;
    QVERIFY(!pty.Device.empty());
    TQtSerialPort port;
    WhenDialogShows([&](QWidget* d) {
      Named<QComboBox>(d, "Port")->setCurrentText(QString::fromStdString(pty.Device));
      Named<QComboBox>(d, "Baud rate")->setCurrentText("19200");
      Named<QComboBox>(d, "Stop bits")->setCurrentText("2");
      Named<QComboBox>(d, "Flow control")->setCurrentText("None");
      QTest::mouseClick(Named<QPushButton>(d, "OK"), Qt::LeftButton);
    });
    QVERIFY(port.ShowSetupDialog());
    QVERIFY(port.IsOpen());
    TSerialSettingsRec expected;
    expected.Port = pty.Device;
    expected.BaudRate = 19200;
    expected.StopBits = sbTwo;
    expected.FlowControl = fcNone;
    QVERIFY(port.Settings() == expected);
  }

  void cancelChangesNothing() {
    TQtSerialPort port;
    WhenDialogShows([](QWidget* d) {
      Named<QComboBox>(d, "Port")->setCurrentText("/dev/ttyUSB3");
      Named<QComboBox>(d, "Parity")->setCurrentText("Odd");
      QTest::mouseClick(Named<QPushButton>(d, "Cancel"), Qt::LeftButton);
    });
    QVERIFY(!port.ShowSetupDialog());
    QVERIFY(!port.IsOpen());
    QVERIFY(port.Settings() == TSerialSettingsRec());
  }

  void okOnAMissingDeviceReportsTheOpenFailure() {
    TQtSerialPort port;
    WhenDialogShows([](QWidget* d) {
      Named<QComboBox>(d, "Port")->setCurrentText("/nonexistent/ttyUSB3");
      QTest::mouseClick(Named<QPushButton>(d, "OK"), Qt::LeftButton);
    });
    QVERIFY_THROWS_EXCEPTION(Error, port.ShowSetupDialog());
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.Settings().Port, std::string("/nonexistent/ttyUSB3"));
  }
};

QTEST_MAIN(SetupDialogTest)
#include "SetupDialogTest.moc"
