#include "details/picture.h"
#include "details/test_pictures.h"

#include <QElapsedTimer>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;

class tst_Picture : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void refuses_data();
    void refuses();
    void hugeClaimIsRefusedAtOnce();
};

void tst_Picture::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg") << jpegBytes(64, 48) << QSize(64, 48);
    QTest::newRow("gif") << gifBytes(5, 3) << QSize(5, 3);
    QTest::newRow("gif, one pixel") << gifBytes(1, 1) << QSize(1, 1);
    QTest::newRow("gif, longest side allowed")
        << gifBytes(MaxPictureSide, 1) << QSize(MaxPictureSide, 1);
    QTest::newRow("jpeg with bytes after its end")
        << jpegBytes(20, 10) + "\r\n\r\ntrailing" << QSize(20, 10);
}

void tst_Picture::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const auto picture = DecodePicture(bytes);
    QVERIFY(picture);
    QCOMPARE(picture->size(), size);
}

void tst_Picture::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("html page") << QByteArray("<html><body>404 Not Found</body></html>");
    QTest::newRow("plain text") << QByteArray("Sorry, no picture.");
    QTest::newRow("gif signature only") << QByteArray("GIF89a");
    QTest::newRow("jpeg start only") << jpegBytes(32, 32).left(4);
    // Within Qt's own allocation limit, but larger than a location picture has any need for.
    QTest::newRow("one side too long") << gifBytes(MaxPictureSide + 1, 1, 2);
    QTest::newRow("too many pixels") << gifBytes(5000, 5000, 2);
}

void tst_Picture::refuses()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!DecodePicture(bytes));
}

void tst_Picture::hugeClaimIsRefusedAtOnce()
{
    // 30,000 x 30,000 would need 3.6 GB of pixels; the header alone must be enough to say no.
    const QByteArray hostile = gifBytes(30000, 30000, 4);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!DecodePicture(hostile));
    QVERIFY2(clock.elapsed() < 2000, "the claimed size was not refused before decoding");
}

QTEST_GUILESS_MAIN(tst_Picture)
#include "tst_picture.moc"
