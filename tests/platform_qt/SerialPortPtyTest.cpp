// The Qt serial port against tnc-sim on a real pseudo-terminal.
#include <termios.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "common/Error.h"
#include "platform/qt/TQtSerialPort.h"
#include "tests/platform_qt/TTncSimProcess.h"

using namespace druv;

namespace {

std::string ReadAll(const QString& path) { return TTncSimProcess::ReadAll(path); }

void WriteText(const QString& path, const std::string& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text.data(), static_cast<qint64>(text.size()));
}

TSerialSettingsRec On(const std::string& device) {
  TSerialSettingsRec s;
  s.Port = device;
  return s;
}

// The line settings the terminal really has, read from the open descriptor.
termios LineOf(TQtSerialPort& port) {
  termios t{};
  auto* qport = port.findChild<QSerialPort*>();
  if (qport) tcgetattr(qport->handle(), &t);
  return t;
}

std::map<std::string, std::string> IniSection(const std::string& text, const std::string& section) {
  std::map<std::string, std::string> keys;
  bool inside = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
    } else if (inside && !line.empty()) {
      auto eq = line.find('=');
      keys[line.substr(0, eq)] = eq == std::string::npos ? "" : line.substr(eq + 1);
    }
  }
  return keys;
}

}  // namespace

class SerialPortPtyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(QFile::exists(DRUV_BIN_DIR "/tnc-sim")); }

  // Every byte value passes unchanged, and a purge right after each write loses nothing.
  void writesReachTheRadioExactlyEvenWhenPurgedAtOnce() {
    TTncSimProcess radio;
    QVERIFY(!radio.Device().empty());
    TQtSerialPort port;
    port.ApplySettings(On(radio.Device()));
    port.Open();
    QVERIFY(port.IsOpen());

    std::string expected;
    for (int b = 0; b < 256; ++b) expected += static_cast<char>(b);
    port.WriteStr(expected);
    for (int i = 0; i < 200; ++i) {
      std::string command = i % 2 ? "TC 1;" : "FC00144390000;";
      port.WriteStr(command);
      port.Purge();
      expected += command;
    }
    std::string bigger(3000, 'x');  // more than the 2048-byte buffers
    port.WriteStr(bigger);
    port.Purge();
    expected += bigger;
    std::string raw = radio.WaitRaw(expected.size());
    QCOMPARE(raw.size(), expected.size());
    QVERIFY(raw == expected);
  }

  void breakInIsAnsweredWithCmdPrompt() {
    TTncSimProcess radio;
    TQtSerialPort port;
    std::string received;
    port.SetReceiveHandler([&](char c) { received += c; });
    port.ApplySettings(On(radio.Device()));
    port.Open();
    port.WriteStr(std::string("\x03^C\n\r"));
    QTRY_COMPARE_WITH_TIMEOUT(received, std::string("\r\ncmd:"), 5000);
    QVERIFY(ReadAll(radio.LogPath()).find(" <03>^C<LF><CR>\n") != std::string::npos);
  }

  void monitorLinesArriveByteForByte_data() {
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("CR") << "CR" << "\r";
    QTest::newRow("CRLF") << "CRLF" << "\r\n";
    QTest::newRow("LFCR") << "LFCR" << "\n\r";
  }
  void monitorLinesArriveByteForByte() {
    QFETCH(QString, lineEnd);
    QFETCH(QString, bytes);
    const std::string end = bytes.toStdString();
    const std::vector<std::string> lines = {
        "QB1ORA-13>APRS,WIDE1-1,WIDE2-1 <UI R>:!3315.47N/09619.98W_040/006g013t043r000p009P030h52",
        "QR1TAC>APZ100:;AID-STN3 *151600z3217.29N/09708.56W+Marathon \xB0 aid",
        "QW0CXB>APZTRK,QA2NW-3*,WIDE2-1:>Out of office till Monday"};
    QTemporaryDir dir;
    const QString play = dir.filePath("play.txt");
    WriteText(play, lines[0] + "\n" + lines[1] + "\r\n" + lines[2] + "\n");
    TTncSimProcess radio({"--play", play, "--rate", "50", "--line-end", lineEnd});
    TQtSerialPort port;
    std::string received;
    port.SetReceiveHandler([&](char c) { received += c; });
    port.ApplySettings(On(radio.Device()));
    port.Open();

    // Monitoring alone does not start the TNC's output while the line is under CAT control.
    port.WriteStr("MON ON\r\n");
    QTest::qWait(200);
    QCOMPARE(received, std::string());
    port.WriteStr("TC 0;");
    std::string expected;
    for (const auto& l : lines) expected += l + end;
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), expected.size(), 5000);
    QVERIFY(received == expected);
  }

  void settingsChangeAndReopenRules() {
    TTncSimProcess radioA, radioB;
    TQtSerialPort port;
    port.ApplySettings(On(radioA.Device()));
    port.Open();

    // Settings on an open port take effect at once, on the same descriptor. (A pseudo-terminal
    // keeps 8 data bits and no parity whatever it is told, so those cannot be checked here.)
    TSerialSettingsRec s = On(radioA.Device());
    s.BaudRate = 9600;
    s.StopBits = sbTwo;
    s.FlowControl = fcSoftware;
    port.ApplySettings(s);
    QVERIFY(port.IsOpen());
    termios t = LineOf(port);
    QCOMPARE(cfgetospeed(&t), speed_t(B9600));
    QVERIFY(t.c_cflag & CSTOPB);
    QVERIFY((t.c_iflag & IXON) && !(t.c_cflag & CRTSCTS));
    QVERIFY(port.Settings() == s);
    s.FlowControl = fcHardware;
    port.ApplySettings(s);
    t = LineOf(port);
    QVERIFY(!(t.c_iflag & IXON) && (t.c_cflag & CRTSCTS));

    // Closing and reopening the same device keeps working (tnc-sim holds its side open).
    port.Close();
    QVERIFY(!port.IsOpen());
    port.Open();
    port.WriteStr("A");
    QCOMPARE(radioA.WaitRaw(1), std::string("A"));

    // A new port name closes the old port and opens the new one.
    s.Port = radioB.Device();
    port.ApplySettings(s);
    QVERIFY(port.IsOpen());
    port.WriteStr("B");
    QCOMPARE(radioB.WaitRaw(1), std::string("B"));
    QTest::qWait(50);
    QCOMPARE(radioA.Raw(), std::string("A"));

    // On a closed port a change is only recorded.
    port.Close();
    s.Port = radioA.Device();
    port.ApplySettings(s);
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.Settings().Port, radioA.Device());
    QVERIFY(radioA.Running() && radioB.Running());
  }

  // A write that cannot get out ends in an error instead of hanging or passing for sent, and what
  // it left behind does not go out later in front of the next command.
  void stuckWriteTimesOutAndLeavesNothingBehind() {
    TTncSimProcess radio;
    TQtSerialPort port;
    TSerialSettingsRec s = On(radio.Device());
    s.BaudRate = 4000000;  // a short time budget for the big write
    port.ApplySettings(s);
    port.Open();
    radio.Freeze(true);
    const std::string big(256 * 1024, 'x');
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(Error, port.WriteStr(big));
    QVERIFY(clock.elapsed() < 10000);
    radio.Freeze(false);
    QVERIFY(port.IsOpen());
    port.WriteStr("TC 1;");
    QTest::qWait(200);
    const std::string raw = radio.Raw();
    QVERIFY(raw.size() < big.size());
    QVERIFY(raw.size() >= 5 && raw.compare(raw.size() - 5, 5, "TC 1;") == 0);
    QVERIFY(raw.find_first_not_of('x') == raw.size() - 5);
  }

  // The radio goes away under an open port, found by a write before the event loop sees it: the
  // write throws, the port counts as closed at once, and the loss is reported afterwards, once.
  void writeToAVanishedRadioThrowsAndReportsTheLoss() {
    TQtSerialPort port;
    std::vector<std::string> losses;
    port.SetLostHandler([&](const std::string& reason) { losses.push_back(reason); });
    {
      TTncSimProcess radio;
      port.ApplySettings(On(radio.Device()));
      port.Open();
      port.WriteStr("TC 1;");
    }
    QVERIFY_THROWS_EXCEPTION(Error, port.WriteStr("TC 1;"));
    QVERIFY(!port.IsOpen());
    QVERIFY(losses.empty());
    QTRY_COMPARE(losses.size(), size_t(1));
    QVERIFY(!losses[0].empty());
    QVERIFY(!port.findChild<QSerialPort*>()->isOpen());
    QVERIFY_THROWS_EXCEPTION(Error, port.WriteStr("TC 1;"));
    QTest::qWait(100);
    QCOMPARE(losses.size(), size_t(1));
  }

  // The far end closes while monitor lines arrive (a pulled USB adapter): every byte read before
  // is delivered, the loss is reported once and the port closed (no spinning on a dead line), and
  // the port opens again on the radio that comes back.
  void farEndClosingWhileLinesArriveIsReportedOnce() {
    QTemporaryDir dir;
    const QString play = dir.filePath("play.txt");
    WriteText(play, "QQ5AAA>APRS:>one\nQQ5BBB>APRS:>two\n");
    auto radio = std::make_unique<TTncSimProcess>(QStringList{"--play", play, "--rate", "100", "--loop"});
    TQtSerialPort port;
    std::string received;
    int losses = 0;
    port.SetReceiveHandler([&](char c) { received += c; });
    port.SetLostHandler([&](const std::string&) {
      QVERIFY(!port.IsOpen());
      ++losses;
    });
    port.ApplySettings(On(radio->Device()));
    port.Open();
    port.WriteStr("MON ON\r\nTC 0;");
    QTRY_VERIFY_WITH_TIMEOUT(received.size() > 100, 5000);
    const std::string raw = radio->Raw();

    radio.reset();
    QTRY_COMPARE_WITH_TIMEOUT(losses, 1, 5000);
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.findChild<QSerialPort*>()->isOpen());
    const std::string cycle = "QQ5AAA>APRS:>one\rQQ5BBB>APRS:>two\r";
    for (size_t i = 0; i < received.size(); ++i)
      QVERIFY2(received[i] == cycle[i % cycle.size()], "bytes lost or garbled before the loss");
    QTest::qWait(200);
    QCOMPARE(losses, 1);
    QCOMPARE(raw, std::string("MON ON\r\nTC 0;"));

    TTncSimProcess back;
    port.ApplySettings(On(back.Device()));
    QVERIFY(!port.IsOpen());
    port.Open();
    port.WriteStr("TC 1;");
    QCOMPARE(back.WaitRaw(5), std::string("TC 1;"));
  }

  void openFailureCarriesThePortNameAndTheReason() {
    TQtSerialPort port;
    port.ApplySettings(On("/nonexistent/ttyUSB9"));
    try {
      port.Open();
      QFAIL("opened a missing device");
    } catch (const Error& e) {
      const std::string text = e.what();
      QVERIFY2(text.rfind("/nonexistent/ttyUSB9: ", 0) == 0, text.c_str());
      QVERIFY2(text.size() > std::string("/nonexistent/ttyUSB9: ").size(), text.c_str());
    }
    QVERIFY(!port.IsOpen());

    // An open port switched to a missing device ends closed, with the error.
    TTncSimProcess radio;
    port.ApplySettings(On(radio.Device()));
    port.Open();
    QVERIFY_THROWS_EXCEPTION(Error, port.ApplySettings(On("/nonexistent/ttyUSB9")));
    QVERIFY(!port.IsOpen());
  }

  void writeAndPurgeOnAClosedPortThrow() {
    TQtSerialPort port;
    QVERIFY_THROWS_EXCEPTION(Error, port.WriteStr("TC 1;"));
    QVERIFY_THROWS_EXCEPTION(Error, port.Purge());
    TTncSimProcess radio;
    port.ApplySettings(On(radio.Device()));
    port.Open();
    port.Close();
    QVERIFY_THROWS_EXCEPTION(Error, port.WriteStr("TC 1;"));
    QVERIFY_THROWS_EXCEPTION(Error, port.Purge());
    QTest::qWait(50);
    QCOMPARE(radio.Raw(), std::string());
  }

  void storedIniHasTheExactKeysAndValues() {
    QTemporaryDir dir;
    const QString path = dir.filePath("zelAPRS.ini");
    const std::string file = path.toStdString();
    WriteText(path, "[Other]\nKeep=1\n\n[ComPort1]\nStale=1\n");

    TQtSerialPort port;
    port.StoreSettings(file);
    using TKeys = std::map<std::string, std::string>;
    QVERIFY(IniSection(ReadAll(path), "ComPort1") ==
            (TKeys{{"Port", "COM1"}, {"BaudRate", "57600"}, {"StopBits", "1"}, {"DataBits", "8"},
                   {"Parity", "None"}, {"FlowControl", "Hardware"}}));
    QVERIFY(IniSection(ReadAll(path), "Other") == (TKeys{{"Keep", "1"}}));

    TSerialSettingsRec s;
    s.Port = "/dev/ttyUSB0";
    s.BaudRate = 12345;
    s.StopBits = sbOneAndHalf;
    s.DataBits = 7;
    s.Parity = paMark;
    s.FlowControl = fcNone;
    port.ApplySettings(s);
    port.StoreSettings(file);
    QVERIFY(IniSection(ReadAll(path), "ComPort1") ==
            (TKeys{{"Port", "/dev/ttyUSB0"}, {"BaudRate", "Custom"}, {"CustomBaudRate", "12345"},
                   {"StopBits", "1.5"}, {"DataBits", "7"}, {"Parity", "Mark"}, {"FlowControl", "None"}}));

    // Back to a standard rate: no CustomBaudRate left behind.
    s.BaudRate = 4800;
    port.ApplySettings(s);
    port.StoreSettings(file);
    TKeys keys = IniSection(ReadAll(path), "ComPort1");
    QCOMPARE(keys.count("CustomBaudRate"), size_t(0));
    QCOMPARE(keys["BaudRate"], std::string("4800"));
    QVERIFY(!QFile::exists(path + ".tmp"));

    // A folder that cannot exist (a file stands in its way): reported, not passed over.
    WriteText(dir.filePath("blocker"), "");
    QVERIFY_THROWS_EXCEPTION(Error, port.StoreSettings(dir.filePath("blocker/zelAPRS.ini").toStdString()));
  }

  void loadingOpensAClosedPortWithTheStoredSettings() {
    TTncSimProcess radio;
    QTemporaryDir dir;
    const QString path = dir.filePath("zelAPRS.ini");
    // DataBits and Parity missing: they keep the current settings.
    WriteText(path, "[ComPort1]\nPort=" + radio.Device() +
                        "\nBaudRate=Custom\nCustomBaudRate=12345\nStopBits=2\nFlowControl=None\n");
    TQtSerialPort port;
    port.LoadSettings(path.toStdString());
    QVERIFY(port.IsOpen());
    TSerialSettingsRec expected = On(radio.Device());
    expected.BaudRate = 12345;
    expected.StopBits = sbTwo;
    expected.FlowControl = fcNone;
    QVERIFY(port.Settings() == expected);
    port.WriteStr("TC 1;");
    QCOMPARE(radio.WaitRaw(5), std::string("TC 1;"));

    // What is stored loads back unchanged.
    port.StoreSettings(path.toStdString());
    port.Close();
    TQtSerialPort again;
    again.LoadSettings(path.toStdString());
    QVERIFY(again.Settings() == expected);

    // A device that cannot be opened: the facility's error, the port stays closed.
    WriteText(path, "[ComPort1]\nPort=/nonexistent/ttyS7\n");
    TQtSerialPort failing;
    QVERIFY_THROWS_EXCEPTION(Error, failing.LoadSettings(path.toStdString()));
    QVERIFY(!failing.IsOpen());
    QCOMPARE(failing.Settings().Port, std::string("/nonexistent/ttyS7"));
  }
};

QTEST_GUILESS_MAIN(SerialPortPtyTest)
#include "SerialPortPtyTest.moc"
