// The symbol sheet window (index spin box, table switch, cell of the index) and the Universal map
// configuration window ("Test", "Configure", the locator file it writes).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include "common/Files.h"
#include "map/TSymbolSheet.h"
#include "map/ui/TQImageMapPicture.h"
#include "map/ui/TaprsConfigFm.h"
#include "map/ui/TsymbolFm.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/QtImages.h"

using namespace druv;

namespace {

struct TFolder {
  QTemporaryDir Dir;
  TFolder() {
    SetAppFolder(Dir.path().toStdString() + "/");
    std::filesystem::create_directories(AppPath("Maps"));
  }
  ~TFolder() { SetAppFolder(DRUV_BIN_DIR); }
  void Sheets() {
    for (const char* sheet : {"tileset.bmp", "tileset2.bmp"})
      WriteFileAtomic(AppPath(sheet), *ReadFile(std::string(DRUV_SOURCE_DIR "/data/") + sheet));
  }
};

// A symbol window over the shipped sheets.
struct TSymbolRig {
  TFolder Folder;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TSymbolSheet> Sheet;
  std::unique_ptr<TsymbolFm> W;
  TSymbolRig() {
    Folder.Sheets();
    Sheet = std::make_unique<TSymbolSheet>(AppFolder(), LoadRasterWithQt);
    W = std::make_unique<TsymbolFm>(*Sheet, Dialogs);
  }
};

// The shown symbol as the 21 x 21 picture it was made from (white where it is transparent).
QImage Shown(const TsymbolFm& w) {
  QImage i = w.Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < i.height(); ++y)
    for (int x = 0; x < i.width(); ++x)
      if (qAlpha(i.pixel(x, y)) == 0) i.setPixel(x, y, qRgb(255, 255, 255));
  return i.convertToFormat(QImage::Format_RGB888);
}

QImage Cell(const char* sheet, int index) {
  return ToQImage(CutSymbolCell(LoadRasterWithQt(AppPath(sheet)), SymbolCell(index)));
}

}  // namespace

class SymbolAndConfigWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void SymbolWindowStartsAtIndex25OfThePrimarySheet() {
    TSymbolRig r;
    TsymbolFm& w = *r.W;
    QCOMPARE(w.windowTitle(), QString("symbolFm"));
    QCOMPARE(w.palette().color(QPalette::Window), QColor(157, 157, 255));
    QCOMPARE(w.SpinEdit1->minimum(), 1);
    QCOMPARE(w.SpinEdit1->maximum(), 120);
    QCOMPARE(w.SpinEdit1->value(), 25);
    QCOMPARE(w.CheckBox1->text(), QString("Checked (/) Unchecked (\\)"));
    QVERIFY(w.CheckBox1->isChecked());
    QCOMPARE(w.Button4->text(), QString("Button4"));
    QCOMPARE(w.Image2->pixmap().size(), QSize(357, 147));
    QCOMPARE(Shown(w), Cell("tileset.bmp", 25));
    QVERIFY(r.Dialogs.Shown.empty());
  }

  void IndexChanges() {
    TSymbolRig r;
    TsymbolFm& w = *r.W;
    w.SetIndex(18);
    QCOMPARE(Shown(w), Cell("tileset.bmp", 18));
    w.SetIndex(1);
    const QImage one = Shown(w);
    w.SetIndex(5);
    w.SetIndex(0);
    QCOMPARE(w.SpinEdit1->value(), 1);
    QCOMPARE(Shown(w), one);
    // The switch alone changes nothing, nor does the value the box already holds.
    w.SetIndex(62);
    w.CheckBox1->setChecked(false);
    QCOMPARE(Shown(w), Cell("tileset.bmp", 62));
    w.SetIndex(62);
    QCOMPARE(Shown(w), Cell("tileset.bmp", 62));
    w.SetIndex(98);
    QCOMPARE(Shown(w), Cell("tileset2.bmp", 98));
    // The sheet picture keeps the table chosen at creation.
    QCOMPARE(w.Image2->pixmap().toImage().pixel(0, 30), Cell("tileset.bmp", 35).pixel(0, 9));
  }

  void AMissingSheetIsReportedAndThePreviousImageStays() {
    TSymbolRig r;
    TsymbolFm& w = *r.W;
    std::filesystem::remove(AppPath("tileset2.bmp"));
    w.CheckBox1->setChecked(false);
    w.SetIndex(30);
    QCOMPARE(r.Dialogs.Shown.size(), size_t(1));
    QVERIFY(QString::fromStdString(r.Dialogs.Shown[0]).startsWith("error: Cannot load the picture"));
    QCOMPARE(Shown(w), Cell("tileset.bmp", 25));
    QCOMPARE(w.SpinEdit1->value(), 30);
    // Without any sheet the window still opens, after the error box.
    std::filesystem::remove(AppPath("tileset.bmp"));
    TScriptedDialogs dialogs2;
    TSymbolSheet none(AppFolder(), LoadRasterWithQt);
    TsymbolFm empty(none, dialogs2);
    QCOMPARE(dialogs2.Shown.size(), size_t(1));
  }

  void ConfigurationWindowControls() {
    TFolder f;
    TScriptedDialogs dialogs;
    TaprsConfigFm w(dialogs);
    QCOMPARE(w.windowTitle(), QString("Configure Universal Map"));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(w.LatitudeEdit->text(), QString("33.50"));
    QCOMPARE(w.LongitudeEdit->text(), QString("-97.250"));
    QCOMPARE(w.LatitudeEdit->toolTip(), QString("Enter your latitude in decimal degrees; positive value for North of Equator"));
    QCOMPARE(w.LongitudeEdit->toolTip(),
             QString("Enter you longitude in decimal degrees; negative value West of the Prime Meridian"));
    QCOMPARE(w.TestButton->toolTip(), QString("Convert your lat/lon to the correct format"));
    QCOMPARE(w.ConfigureButton->toolTip(), QString("Press to use new configuration"));
    QVERIFY(!w.ConfigureButton->isEnabled());
    QStringList texts;
    for (QLabel* l : w.findChildren<QLabel*>()) texts << l->text();
    for (const char* t : {"Your latitude:", "Your longitude:", "Current Default map configuration:",
                          "Proposed Default map configuration:",
                          "This form allows you to modify the Universal Map to center on your QTH, wherever you are  "
                          "in the Western hemisphere"})
      QVERIFY2(texts.contains(t), t);
  }

  void ShowLoadsTheCurrentLocatorFile() {
    TFolder f;
    TScriptedDialogs dialogs;
    TaprsConfigFm w(dialogs);
    dialogs.Expect("error", "Cannot open file \"" + AppPath("Maps/universal.txt") + "\". No such file or directory");
    w.show();
    QVERIFY(dialogs.AllExpectedShown());
    w.hide();
    WriteFileAtomic(AppPath("Maps/universal.txt"), "98.25,  96.25,  32.50,  34.50,  universal\r\nsecond\r\n");
    w.show();
    QCOMPARE(w.CurrentMemo->toPlainText(), QString("98.25,  96.25,  32.50,  34.50,  universal\nsecond\n"));
    QVERIFY(dialogs.Unexpected().empty());
  }

  void TestProposesABoxAroundTheOperator() {
    TFolder f;
    TScriptedDialogs dialogs;
    TaprsConfigFm w(dialogs);
    const std::string defaults = "You need to use Your latitude and longitude. Not the software defaults.  Try again.";
    dialogs.Expect("error", defaults);
    w.TestClick();
    QVERIFY(w.ConfigureButton->isEnabled());
    QVERIFY(w.ProposedMemo->toPlainText().isEmpty());
    struct {
      const char* Lat;
      const char* Lon;
      const char* Proposal;
    } cases[] = {
        {"33.500", "-97.25", "98.25,  96.25,  32.50,  34.50,  universal"},  // the default, one more zero
        {"32.5677", "97.2658", "98.27,  96.27,  31.57,  33.57,  universal"},
        {"32.5677", "-97.2658", "98.27,  96.27,  31.57,  33.57,  universal"},
    };
    for (const auto& c : cases) {
      w.LatitudeEdit->setText(c.Lat);
      w.LongitudeEdit->setText(c.Lon);
      w.TestClick();
      QCOMPARE(w.ProposedMemo->toPlainText(), QString(c.Proposal));
    }
    dialogs.Expect("error", defaults);
    w.LongitudeEdit->setText("-97.250");
    w.TestClick();
    dialogs.Expect("error", "'33,5' is not a valid floating point value");
    w.LatitudeEdit->setText("33,5");
    w.TestClick();
    QVERIFY(dialogs.AllExpectedShown());
    QVERIFY(dialogs.Unexpected().empty());
  }

  void ConfigureWritesTheLocatorFile() {
    TFolder f;
    TScriptedDialogs dialogs;
    TaprsConfigFm w(dialogs);
    WriteFileAtomic(AppPath("Maps/universal.txt"), "old\r\n");
    w.show();
    const std::string question =
        "[Configure Universal Map Display] This action will resets the the boundries of the Universal \"Map\" to "
        "the settings displayed. Do you want to continue?";
    // Yes without a proposal.
    dialogs.Expect("warning", question, true);
    dialogs.Expect("information", "You must provide a new configuration text using the Test button.");
    w.ConfigureClick();
    QCOMPARE(*ReadFile(AppPath("Maps/universal.txt")), std::string("old\r\n"));
    // Yes with one.
    w.LatitudeEdit->setText("40.00");
    w.LongitudeEdit->setText("-105.000");
    w.TestClick();
    dialogs.Expect("warning", question, true);
    w.ConfigureClick();
    QCOMPARE(*ReadFile(AppPath("Maps/universal.txt")), std::string("106.00,  104.00,  39.00,  41.00,  universal\r\n"));
    QVERIFY(w.isVisible());
    QCOMPARE(w.CurrentMemo->toPlainText(), QString("106.00,  104.00,  39.00,  41.00,  universal\n"));
    // No hides the window, which disables "Configure" again.
    dialogs.Expect("warning", question, false);
    w.ConfigureClick();
    QVERIFY(!w.isVisible());
    QVERIFY(!w.ConfigureButton->isEnabled());
    QVERIFY(dialogs.AllExpectedShown());
    QVERIFY(dialogs.Unexpected().empty());
  }
};

QTEST_MAIN(SymbolAndConfigWindowsTest)
#include "SymbolAndConfigWindowsTest.moc"
