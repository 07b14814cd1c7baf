#include "shell/artwork.h"

#include <QImage>
#include <QTest>

using namespace pellomar;

namespace {

// Share of pixels that are not fully transparent.
double coverage(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0;
    }
    return image.isNull() ? 0.0 : double(opaque) / (double(image.width()) * image.height());
}

QSize logicalSize(const QPixmap &pixmap)
{
    return (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void logoFillsItsBox();
    void bannerTakesAnySize_data();
    void bannerTakesAnySize();
    void iconHasDesktopSizes();
};

void TestArtwork::logoFillsItsBox()
{
    const QPixmap logo = logoPixmap();
    QCOMPARE(logicalSize(logo), QSize(177, 89));
    QVERIFY(coverage(logo) > 0.9);
}

void TestArtwork::bannerTakesAnySize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("message panel") << QSize(361, 97);
    QTest::newRow("About window") << QSize(359, 100);
    QTest::newRow("tiny") << QSize(3, 2);
}

void TestArtwork::bannerTakesAnySize()
{
    QFETCH(QSize, size);
    const QPixmap banner = bannerPixmap(size);
    QCOMPARE(logicalSize(banner), size);
    QCOMPARE(coverage(banner), 1.0);
}

void TestArtwork::iconHasDesktopSizes()
{
    const QIcon icon = programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : { 16, 32, 48, 256 })
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    QVERIFY(coverage(icon.pixmap(QSize(32, 32))) > 0.5);
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
