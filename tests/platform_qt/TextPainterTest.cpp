// The attribution line painted by QPainter straight into the core's RGB raster: where it lands,
// its colour, and that nothing else of the picture changes.
#include <QGuiApplication>
#include <QTest>

#include "platform/ImageCodecs.h"
#include "platform/qt/TQtTextPainter.h"
#include "tiles/TileStitch.h"

using namespace druv;

class TextPainterTest : public QObject {
  Q_OBJECT

 private slots:
  void AttributionSitsInTheBottomStrip() {
    TRasterImage image(768, 768, 255);
    TQtTextPainter painter;
    painter.DrawText(image, AttributionLeft, AttributionTop, TileAttribution, AttributionPointSize, {0, 0, 255});
    int minX = 768, maxX = -1, minY = 768, maxY = -1, blue = 0;
    for (int y = 0; y < image.Height; ++y)
      for (int x = 0; x < image.Width; ++x) {
        const std::uint8_t* p = image.Pixel(x, y);
        if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        QVERIFY2(p[2] >= p[0] && p[2] >= p[1], "only blue and its blends with white");
        if (p[2] > 200 && p[0] < 60 && p[1] < 60) ++blue;
      }
    QVERIFY(blue > 50);
    QVERIFY(minX >= 5 && minX <= 8);
    QVERIFY(minY >= 753);
    QVERIFY2(maxY <= 767, "an 8-point line ends above the lower edge");
    QVERIFY(maxX > 100 && maxX < 300);
  }

  void TextIsClippedToThePicture() {
    TRasterImage image(20, 5, 255);
    TQtTextPainter painter;
    painter.DrawText(image, 15, 2, "long text", 8, {0, 0, 255});
    TRasterImage empty;
    painter.DrawText(empty, 0, 0, "x", 8, {0, 0, 255});  // nothing to draw on
    QCOMPARE(image.Rgb.size(), size_t(20 * 5 * 3));
    bool inked = false;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool white = image.Pixel(x, y)[0] == 255 && image.Pixel(x, y)[2] == 255;
        if (x < 15 || y < 2) QVERIFY(white);
        inked = inked || !white;
      }
    QVERIFY(inked);
  }
};

QTEST_MAIN(TextPainterTest)
#include "TextPainterTest.moc"
