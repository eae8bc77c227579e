// The four message boxes: icon, buttons, title, text converted from code page 1252, the answer.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/TQtDialogs.h"

using namespace druv;

namespace {

struct TSeenRec {
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons;
  QString Title, Text;
};

// Records the box that comes up and presses the given button on it.
void Answer(TSeenRec* seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return Answer(seen, press);
    seen->Icon = box->icon();
    seen->Buttons = box->standardButtons();
    seen->Title = box->windowTitle();
    seen->Text = box->text();
    QTest::mouseClick(box->button(press), Qt::LeftButton);
  });
}

const std::string kText = "Caf\xE9 \x80 5\r\nsecond line";
const QString kShown = QString::fromUtf8("Café € 5\nsecond line");

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void boxes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("title");  // code page 1252
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("shownTitle");
    const int ok = QMessageBox::Ok, yesNo = QMessageBox::Yes | QMessageBox::No;
    QTest::newRow("error") << "Error" << QByteArray("") << int(QMessageBox::Critical) << ok << ok << false
                           << "DRUVaprs";
    QTest::newRow("warning yes") << "Warning" << QByteArray("Clear APRS TNC Settings") << int(QMessageBox::Warning)
                                 << yesNo << int(QMessageBox::Yes) << true << "Clear APRS TNC Settings";
    QTest::newRow("warning no") << "Warning" << QByteArray("") << int(QMessageBox::Warning) << yesNo
                                << int(QMessageBox::No) << false << "DRUVaprs";
    QTest::newRow("information") << "Information" << QByteArray("") << int(QMessageBox::Information) << ok << ok
                                 << false << "DRUVaprs";
    QTest::newRow("message") << "Message" << QByteArray("") << int(QMessageBox::NoIcon) << ok << ok << false
                             << "DRUVaprs";
    QTest::newRow("message titled") << "Message" << QByteArray("T\xEAte") << int(QMessageBox::NoIcon) << ok << ok
                                    << false << QString::fromUtf8("Tête");
  }
  void boxes() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, title);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(bool, result);
    QFETCH(QString, shownTitle);
    const std::string title1252 = title.toStdString();
    TQtDialogs dialogs;
    TSeenRec seen;
    Answer(&seen, static_cast<QMessageBox::StandardButton>(press));
    bool answer = false;
    if (kind == "Error")
      dialogs.Error(kText);
    else if (kind == "Warning")
      answer = dialogs.WarningYesNo(title1252, kText);
    else if (kind == "Information")
      dialogs.Information(kText);
    else
      dialogs.Message(kText, title1252);
    QCOMPARE(answer, result);
    QCOMPARE(int(seen.Icon), icon);
    QCOMPARE(int(seen.Buttons), buttons);
    QCOMPARE(seen.Title, shownTitle);
    QCOMPARE(seen.Text, kShown);
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
