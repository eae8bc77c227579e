// The own station on the main window: the composer panel and the "Positiion Report" tab, each
// send path from its control, the beacon box, the settings summary, the coordinate lookup, and
// the messaging panel on the "Messages" tab.
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <clocale>

#include "radio/ui/TMessagingPanel.h"
#include "radio/ui/TPositionComposerPanel.h"
#include "radio/ui/TPositionReportTab.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TTncSettingsPanel.h"
#include "stations/TStationLog.h"
#include "tests/ui/TMainWindowRig.h"

using namespace druv;

namespace {

const char* const kConfirm =
    "[Send position report] This action will transmit a packet using the TS2000 and the TNC. Do you want to "
    "continue?";

QString Cell(QTableView* view, int row, int column) {
  return view->model()->index(row, column).data().toString();
}

// The bytes of one send: CONV with its break-in, then the text.
std::string Sent(const std::string& text) { return "\x03^C\n\rCONV\n\r" + text + "\n\r"; }

}  // namespace

class OwnStationWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void ComposerPanelComposesIntoTheReportTab() {
    TRig rig;
    TDXfunctions& w = *rig.Window;
    TPositionComposerPanel* c = w.ComposerPanel();
    QVERIFY(c->isHidden());
    QCOMPARE(c->title(), QString("Create a Position Packet"));
    QCOMPARE(c->SymbolList->count(), 22);
    QCOMPARE(c->SymbolList->item(21)->text(), QString("y YAGI @ QTH"));
    QCOMPARE(c->SymbolIndex(), -1);
    QCOMPARE(c->LatitudeEdit->text(), QString("32.5677"));  // from the installed settings file
    QCOMPARE(c->CommentEdit->toolTip(), QString("keep the msg short"));
    QCOMPARE(w.ReportTab()->PositionEdit->text(), QString("you must use the Compose Msg button first"));

    FindAction(&w, "Create a Position Packet")->trigger();
    QVERIFY(!c->isHidden());
    c->LatitudeEdit->setText("48,5");
    rig.Dialogs.Expect("error", "'48,5' is not a valid floating point value");
    c->ComposeButton->click();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(!c->isHidden());  // stays open for the correction
    QCOMPARE(w.ReportTab()->PositionEdit->text(), QString("you must use the Compose Msg button first"));

    c->LatitudeEdit->setText("-33.5");
    c->LongitudeEdit->setText("151.25");
    c->CommentEdit->setText("Sydney  ");
    c->SymbolList->setCurrentRow(7);
    c->ComposeButton->click();
    QCOMPARE(w.ReportTab()->PositionEdit->text(), QString("!3330.00S/15115.00E> Sydney  "));
    QVERIFY(c->isHidden());
    QCOMPARE(w.PageControl()->currentIndex(), 7);

    // The GPS window's way in: the fields, then Compose.
    w.ReportTab()->ComposeMsgButton->click();
    QVERIFY(!c->isHidden());
    w.SetComposerLatitude("5.1");
    w.SetComposerLongitude("0");
    w.Compose();
    QCOMPARE(w.ReportTab()->PositionEdit->text(), QString("!0506.00N/00000.00E> Sydney  "));
    QVERIFY(rig.Port.Written.empty());
  }

  void ComposeIgnoresACommaDecimalLocale() {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    const QLocale oldQt;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) QSKIP("de_DE.UTF-8 locale not installed");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
      TRig rig;
      rig.Window->SetComposerLatitude("48.25");
      rig.Window->SetComposerLongitude("-9.5");
      rig.Window->Compose();
      QCOMPARE(rig.Window->ReportTab()->PositionEdit->text(), QString("!4815.00N/00930.00W- your message"));
      rig.Window->SetComposerLatitude("48,25");
      rig.Dialogs.Expect("error", "'48,25' is not a valid floating point value");
      rig.Window->Compose();
      QVERIFY(rig.Dialogs.Unexpected().empty());
    }
    std::setlocale(LC_ALL, old.c_str());
    QLocale::setDefault(oldQt);
  }

  void SendPathsFromTheirControls() {
    TRig rig;
    TDXfunctions& w = *rig.Window;
    w.ReportTab()->PositionEdit->setText("!3330.00S/15115.00E> by hand  ");  // hand edits are sent as they stand

    rig.Dialogs.Expect("warning", kConfirm, true);
    w.ReportTab()->SendButton->click();
    QCOMPARE(rig.Port.Written, Sent("!3330.00S/15115.00E> by hand   DRUVaprs"));

    // The menu send needs the TNC on and Ctrl held at the moment of the click.
    rig.Port.Written.clear();
    bool ctrl = true;
    w.CtrlKeyHeld = [&] { return ctrl; };
    rig.Dialogs.Expect("error", "TNC must be turned on before you can send a position packet (Packet ON button).");
    FindAction(&w, "Send a position packet ( Hold down Ctrl key)")->trigger();
    w.RadioPanel()->PacketOnButton->setEnabled(false);
    ctrl = false;
    rig.Dialogs.Expect("error",
                       "You must compose a valid message using the Compose Msg button before you can send a position "
                       "packet AND you MUST hold down the Ctrl key.");
    FindAction(&w, "Send a position packet ( Hold down Ctrl key)")->trigger();
    QVERIFY(rig.Port.Written.empty());
    ctrl = true;
    FindAction(&w, "Send a position packet ( Hold down Ctrl key)")->trigger();
    QCOMPARE(rig.Port.Written, Sent("!3330.00S/15115.00E> by hand"));

    // Another transport stands in for the TNC on every path.
    struct TOther : IAprsTransmitter {
      std::vector<std::string> Texts;
      bool Transmit(const std::string& text, const TConverseTimingRec&) override {
        Texts.push_back(text);
        return true;
      }
    } other;
    w.UseTransmitter(other);
    rig.Port.Written.clear();
    FindAction(&w, "Send a position packet ( Hold down Ctrl key)")->trigger();
    w.SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
    w.MessagingPanel()->AddresseeEdit->setText("QQ5BBB");
    w.MessagingPanel()->SendButton->click();
    QCOMPARE(other.Texts, (std::vector<std::string>{"!3330.00S/15115.00E> by hand", ":QQ5BBB   :message{1"}));
    QVERIFY(rig.Port.Written.empty());
    w.UseTransmitter(w.TncTransmitter());

    rig.Dialogs.Expect("information", "Tool is not available yet.");
    FindAction(&w, "Toggle a Beacon every 10 minutes (Hold down Ctrl key)")->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(rig.Dialogs.AllExpectedShown());
  }

  void BeaconBoxRunsTheTenMinuteTimer() {
    TRig rig;
    TDXfunctions& w = *rig.Window;
    int repaints = 0;
    // One tick at a time: the test hurries the timer and stops it after each tick.
    w.RepaintMapHook = [&] {
      ++repaints;
      w.BeaconTimer().Stop();
    };
    QCheckBox* box = w.ReportTab()->BeaconBox;
    QCOMPARE(box->text(), QString("Auto Send (BEACON)"));
    box->setChecked(true);
    QVERIFY(w.BeaconTimer().IsActive());
    QCOMPARE(w.BeaconTimer().IntervalMs(), 600000);
    QVERIFY(rig.Port.Written.empty());

    const std::string notComposed =
        "You must compose a valid message using the Compose Msg button before you can send a position packet.";
    rig.Dialogs.Expect("error", notComposed);
    w.BeaconTimer().Timer()->start(1);
    QTRY_COMPARE(repaints, 1);
    QVERIFY(rig.Port.Written.empty());

    w.ReportTab()->PositionEdit->setText("!3330.00S/15115.00E> beacon  ");
    w.BeaconTimer().Timer()->start(1);
    QTRY_COMPARE(repaints, 2);
    QCOMPARE(rig.Port.Written, Sent("!3330.00S/15115.00E> beacon"));
    box->setChecked(false);
    box->setChecked(true);
    QCOMPARE(w.BeaconTimer().IntervalMs(), 600000);
    box->setChecked(false);
    QVERIFY(!w.BeaconTimer().IsActive());
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void SettingsSummaryStandsInTheCaptionForThreeSeconds() {
    TRig rig;
    TDXfunctions& w = *rig.Window;
    QStringList captions;
    rig.Waits.OnWait = [&](int ms) { captions << QString::number(ms) + " " + w.windowTitle(); };
    FindAction(&w, "Current UNPROTO / MYCALL / MESSAGE")->trigger();
    w.ReportTab()->PositionEdit->setText("!3330.00S/15115.00E> x");
    FindAction(&w, "Current UNPROTO / MYCALL / MESSAGE")->trigger();
    QCOMPARE(captions, (QStringList{
                           "3000 Current settings: UNPROTO  APRS VIA APRS,WIDE2-1      MYCALL   XXXX      "
                           "Message/Coordinates NOT Set; set with Postition Report>Compose Message",
                           "3000 Current settings: UNPROTO  APRS VIA APRS,WIDE2-1      MYCALL   XXXX      "
                           "!3330.00S/15115.00E> x"}));
    QCOMPARE(w.windowTitle(), QString("DRUVaprs"));
  }

  void CoordinateLookupOpensThePageOrSaysWhy() {
    TRig rig;
    const std::string question =
        "This action will take you to an Internet web page that helps you figure your latitude and longitude.  Your "
        "PC needs to be connected to the Internet. Do you want to continue?";
    QPushButton* lookup = rig.Window->ReportTab()->LookupButton;
    rig.Dialogs.Expect("warning", question, false);
    lookup->click();
    QVERIFY(rig.Browser.Opened.empty());
    rig.Dialogs.Expect("warning", question, true);
    lookup->click();
    QCOMPARE(rig.Browser.Opened, std::vector<std::string>{TDXfunctions::CoordinateLookupUrl});
    rig.Browser.Fails = true;
    rig.Dialogs.Expect("warning", question, true);
    rig.Dialogs.Expect("error", "Your PC is probably not connected to the Internet.");
    lookup->click();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(rig.Dialogs.AllExpectedShown());
  }

  void MessagesGoOutAreAckedAndNumberedAcrossRestarts() {
    TRig rig;
    TDXfunctions* w = rig.Window.get();
    TMessagingPanel* m = w->MessagingPanel();
    QVERIFY(w->PageControl()->widget(3)->isAncestorOf(m));  // on the "Messages" tab, below the message list
    QCOMPARE(m->SendButton->text(), QString(" Send Msg to>"));
    QCOMPARE(m->MessageEdit->text(), QString("message"));
    // The form's example addressee is nobody's call.
    rig.Dialogs.Expect("error", "Y0URCALL is only an example: enter the call sign of the station the message is for.");
    m->SendButton->click();
    QVERIFY(rig.Port.Written.empty());

    w->SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
    m->AddresseeEdit->setText("qq5bbb");
    m->MessageEdit->setText("Meet at 8?");
    m->SendButton->click();
    QCOMPARE(rig.Port.Written, Sent(":QQ5BBB   :Meet at 8?{1"));
    QCOMPARE(m->MessageEdit->text(), QString());  // ready for the next one
    QCOMPARE(*ReadFile(AppPath("aprsmsgnum.txt")), std::string("1\r\n"));
    QCOMPARE(m->OutgoingView->model()->rowCount(), 1);
    QCOMPARE(Cell(m->OutgoingView, 0, 1), QString("QQ5BBB"));
    QCOMPARE(Cell(m->OutgoingView, 0, 4), QString("sent"));
    QVERIFY(w->RetryTimer().IsActive());
    QCOMPARE(w->RetryTimer().IntervalMs(), 30000);

    // The answer and a message of its own arrive from the radio and pass the station-log step.
    rig.Port.Written.clear();
    rig.Port.Receive("QQ5BBB>APRS,WIDE2-1 <UI C>::QQ5AAA-9 :ack1\r"
                     "QQ5BBB>APRS,WIDE2-1 <UI C>::QQ5AAA-9 :Yes, see you{42\r");
    w->PopulateDB();
    QCOMPARE(Cell(m->OutgoingView, 0, 4), QString("acked"));
    QVERIFY(!w->RetryTimer().IsActive());
    QCOMPARE(m->IncomingView->model()->rowCount(), 1);
    QCOMPARE(Cell(m->IncomingView, 0, 1), QString("QQ5BBB"));
    QCOMPARE(Cell(m->IncomingView, 0, 3), QString("Yes, see you"));
    QCOMPARE(rig.Port.Written, Sent(":QQ5BBB   :ack42"));
    QVERIFY(rig.Dialogs.Unexpected().empty());
    m->AddresseeEdit->clear();
    emit m->IncomingView->doubleClicked(m->IncomingView->model()->index(0, 3));
    QCOMPARE(m->AddresseeEdit->text(), QString("QQ5BBB"));

    // A restart in the same folder goes on counting.
    rig.Window.reset();
    rig.Window = std::make_unique<TDXfunctions>(rig.Port, rig.Dialogs, rig.Waits, rig.Clock);
    w = rig.Window.get();
    rig.Port.Written.clear();
    w->MessagingPanel()->AddresseeEdit->setText("QQ5BBB");
    w->MessagingPanel()->SendButton->click();
    QCOMPARE(rig.Port.Written, Sent(":QQ5BBB   :message{2"));  // the field's default text
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void MessagesReachTheMessengerThroughTheStationLog() {
    TRig rig;
    TStationLog& log = rig.Window->StationLog();
    rig.Window->SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
    rig.Port.Receive("QQ5BBB>APRS,WIDE2-1 <UI C>::QQ5AAA-9 :via the log{7\r"
                     "QQ5CCC>APRS,WIDE2-1 <UI C>:>status\r");
    rig.Window->PopulateDB();
    QCOMPARE(log.LinesProcessed(), size_t(2));
    QCOMPARE(log.Messages.Count(), size_t(1));
    QCOMPARE(rig.Window->Messenger().Incoming().size(), size_t(1));
    QCOMPARE(rig.Port.Written, Sent(":QQ5BBB   :ack7"));
  }
};

QTEST_MAIN(OwnStationWindowTest)
#include "OwnStationWindowTest.moc"
