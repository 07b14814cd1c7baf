#include "rules/gif_encoder.h"

#include <QImage>
#include <QTest>
#include <vector>

using namespace pellomar::directory;

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;
};

enum class Pattern { Flat, Stripes, Noise };

Picture makePicture(int width, int height, int colours, Pattern pattern)
{
    Picture p { width, height, {}, {} };
    for (int i = 0; i < colours; ++i)
        p.palette.push_back(
            { std::uint8_t(i * 37 % 256), std::uint8_t(255 - i), std::uint8_t(i * 11 % 256) });
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int index = 0;
            if (pattern == Pattern::Stripes) {
                index = (x / 3 + y / 5) % colours;
            } else if (pattern == Pattern::Noise) {
                state = state * 1664525u + 1013904223u;
                index = int((state >> 16) % std::uint32_t(colours));
            }
            p.pixels.push_back(std::uint8_t(index));
        }
    }
    return p;
}

} // namespace

Q_DECLARE_METATYPE(Pattern)

class TestGifEncoder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void qtDecodesEveryPixel_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("colours");
        QTest::addColumn<Pattern>("pattern");
        QTest::newRow("one pixel, one colour") << 1 << 1 << 1 << Pattern::Flat;
        QTest::newRow("two colours") << 7 << 5 << 2 << Pattern::Stripes;
        QTest::newRow("three colours padded to four") << 20 << 9 << 3 << Pattern::Stripes;
        QTest::newRow("sixteen colours") << 64 << 48 << 16 << Pattern::Stripes;
        QTest::newRow("a full palette") << 120 << 90 << 256 << Pattern::Stripes;
        QTest::newRow("large flat picture") << 500 << 400 << 4 << Pattern::Flat;
        QTest::newRow("noise that fills the code table") << 300 << 200 << 256 << Pattern::Noise;
        QTest::newRow("two-colour noise with table resets") << 400 << 400 << 2 << Pattern::Noise;
        QTest::newRow("one row") << 1000 << 1 << 32 << Pattern::Noise;
        QTest::newRow("one column") << 1 << 777 << 5 << Pattern::Noise;
    }

    void qtDecodesEveryPixel()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, colours);
        QFETCH(Pattern, pattern);
        const Picture p = makePicture(width, height, colours, pattern);
        const std::string gif = encodeGif(p.width, p.height, p.palette, p.pixels);
        QVERIFY(gif.starts_with("GIF89a"));
        QVERIFY(gif.ends_with(";"));

        const QImage image = QImage::fromData(QByteArray::fromStdString(gif), "GIF");
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb expected = p.palette[p.pixels[std::size_t(y * width + x)]];
                const QRgb actual = image.pixel(x, y);
                if (qRed(actual) != expected.r || qGreen(actual) != expected.g
                    || qBlue(actual) != expected.b)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
            }
        }
    }

    void refusesWhatCannotBeAGif_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("colours");
        QTest::addColumn<int>("pixelCount");
        QTest::addColumn<int>("largestIndex");
        QTest::newRow("no width") << 0 << 5 << 2 << 0 << 0;
        QTest::newRow("too wide") << 70000 << 1 << 2 << 70000 << 0;
        QTest::newRow("too few pixels") << 4 << 4 << 2 << 15 << 0;
        QTest::newRow("too many pixels") << 4 << 4 << 2 << 17 << 0;
        QTest::newRow("no palette") << 2 << 2 << 0 << 4 << 0;
        QTest::newRow("palette of 257") << 2 << 2 << 257 << 4 << 0;
        QTest::newRow("index outside the palette") << 2 << 2 << 3 << 4 << 3;
    }

    void refusesWhatCannotBeAGif()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, colours);
        QFETCH(int, pixelCount);
        QFETCH(int, largestIndex);
        const std::vector<Rgb> palette(std::size_t(colours), Rgb { 1, 2, 3 });
        std::vector<std::uint8_t> pixels(std::size_t(pixelCount), 0);
        if (!pixels.empty())
            pixels.back() = std::uint8_t(largestIndex);
        QVERIFY(encodeGif(width, height, palette, pixels).empty());
    }
};

QTEST_MAIN(TestGifEncoder)
#include "tst_gif_encoder.moc"
