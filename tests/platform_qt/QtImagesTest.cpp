// The core raster and QImage both ways: odd widths (QImage pads its rows), other formats, BMP.
#include <QTest>
#include <QTemporaryDir>

#include "platform/qt/QtImages.h"

using namespace druv;

class QtImagesTest : public QObject {
  Q_OBJECT
 private slots:
  void RoundTripKeepsEveryPixel() {
    TRasterImage src(13, 7);
    for (size_t i = 0; i < src.Rgb.size(); ++i) src.Rgb[i] = static_cast<std::uint8_t>(i * 7);
    QImage q = ToQImage(src);
    QCOMPARE(q.size(), QSize(13, 7));
    QCOMPARE(q.pixelColor(12, 6), QColor(src.Pixel(12, 6)[0], src.Pixel(12, 6)[1], src.Pixel(12, 6)[2]));
    QCOMPARE(FromQImage(q).Rgb, src.Rgb);
  }

  void OtherFormatsAndBmpFiles() {
    QImage argb(5, 3, QImage::Format_ARGB32);
    argb.fill(QColor(200, 100, 50));
    argb.setPixelColor(4, 2, QColor(1, 2, 3));
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.bmp");
    QVERIFY(argb.save(path, "BMP"));
    TRasterImage back = FromQImage(QImage(path));
    QCOMPARE(back.Width, 5);
    QCOMPARE(back.Pixel(0, 0)[0], std::uint8_t(200));
    QCOMPARE(back.Pixel(4, 2)[2], std::uint8_t(3));
    QVERIFY(FromQImage(QImage()).Empty());
    QVERIFY(ToQImage(TRasterImage()).isNull());
  }
};

QTEST_GUILESS_MAIN(QtImagesTest)
#include "QtImagesTest.moc"
