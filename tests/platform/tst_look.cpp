#include "platform/look.h"

#include <QFontInfo>
#include <QTest>

using namespace pellomar;

class TestLook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twipsToPixels_data();
    void twipsToPixels();
    void rectangles();
    void fonts();
    void verdanaFallsBackToDejaVu();
};

void TestLook::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");

    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("just under half") << 7 << 0;
    QTest::newRow("half rounds up") << 8 << 1;
    QTest::newRow("client width") << 11910 << 794;
    QTest::newRow("client height") << 8820 << 588;
    QTest::newRow("row pitch") << 480 << 32;
    QTest::newRow("scroll bar width") << 250 << 17;
    QTest::newRow("negative left") << -120 << -8;
    QTest::newRow("negative, rounds away") << -8 << -1;
}

void TestLook::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(pellomar::twips(twips), pixels);
}

void TestLook::rectangles()
{
    QCOMPARE(twipsRect(240, 3120, 11415, 4335), QRect(16, 208, 761, 289));
    QCOMPARE(twipsRect(-120, 3960, 11415, 3255), QRect(-8, 264, 761, 217));
}

void TestLook::fonts()
{
    const QFont status = verdana(9);
    QCOMPARE(status.family(), QStringLiteral("Verdana"));
    QCOMPARE(status.pointSizeF(), 9.0);
    QVERIFY(!status.bold());
    const QFont link = verdana(8.25, true, true);
    QCOMPARE(link.pointSizeF(), 8.25);
    QVERIFY(link.bold());
    QVERIFY(link.underline());
    QCOMPARE(verdana(14.25).pointSizeF(), 14.25);
}

void TestLook::verdanaFallsBackToDejaVu()
{
    installFontSubstitutions();
    QVERIFY(QFont::substitutes(QStringLiteral("Verdana"))
                .contains(QStringLiteral("DejaVu Sans"), Qt::CaseInsensitive));
    const QFontInfo used(verdana(9.75));
    // Verdana itself where it is installed, else its stand-in, never some other face.
    QVERIFY2(used.family() == QStringLiteral("Verdana")
            || used.family() == QStringLiteral("DejaVu Sans"),
        qPrintable(used.family()));
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
