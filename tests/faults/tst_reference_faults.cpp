#include "faults/fault_support.h"
#include "platform/message_box.h"
#include "shell/reference_files.h"

#include <QComboBox>
#include <QTemporaryDir>

using namespace pellomar;
using namespace pellomar::test;

// Damaged reference files at start-up: the program starts with what the files hold, up to
// the size of each table, warns about lines it had to leave out, and never writes the files.
class TestReferenceFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        MessageBox::setResponder([](const MessageBox::Request &box) {
            qWarning("unexpected message box: %s", qPrintable(box.text));
            return QMessageBox::Ok;
        });
    }
    void cleanupTestCase() { MessageBox::setResponder({}); }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("countries");
        QTest::addColumn<QByteArray>("locations");
        QTest::addColumn<int>("countryRows");
        QTest::addColumn<int>("locationRows");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("lookup"); // a country name the search must find
        QTest::addColumn<QString>("code");

        QTest::newRow("CR-only line ends")
            << QByteArray("US|United States of America\rDE|Germany\rFR|France\r")
            << QByteArray("Hotel,HOTEL\rCafe,CAFE\r") << 3 << 2 << QString()
            << QStringLiteral("germany") << QStringLiteral("DE");
        // The whole literal, NULs included.
        const auto bytes
            = [](const auto &literal) { return QByteArray(literal, sizeof literal - 1); };
        QTest::newRow("NUL bytes")
            << bytes("US|United States of America\r\nD\0E|Ger\0many\r\n\0\0\0\r\nFR|France\r\n")
            << bytes("Ho\0tel,HOTEL\r\n") << 4 << 1 << QString() << QStringLiteral("France")
            << QStringLiteral("FR");

        QByteArray many;
        for (int i = 1; i <= 100'000; ++i)
            many += "C" + QByteArray::number(i) + "|Country " + QByteArray::number(i) + "\r\n";
        QByteArray manyTypes;
        for (int i = 1; i <= 100'000; ++i)
            manyTypes += "Type " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\r\n";
        QTest::newRow("100,000 lines")
            << many << manyTypes << 500 << 100
            << QStringLiteral("only the first 500 entries are used; 99500 further lines")
            << QStringLiteral("Country 500") << QStringLiteral("C500");
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, countries);
        QFETCH(QByteArray, locations);
        QFETCH(int, countryRows);
        QFETCH(int, locationRows);
        QFETCH(QString, warning);
        QFETCH(QString, lookup);
        QFETCH(QString, code);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString countriesPath = dir.filePath(QStringLiteral("countries.txt"));
        const QString locationsPath = dir.filePath(QStringLiteral("locations.txt"));
        QVERIFY(writeFileAtomically(countriesPath, countries).isEmpty());
        QVERIFY(writeFileAtomically(locationsPath, locations).isEmpty());
        const QByteArray countriesHash = KeptFiles::hashOf(countriesPath);
        const QByteArray locationsHash = KeptFiles::hashOf(locationsPath);

        ReferenceLoad load = loadReferenceFiles(dir.path());
        QVERIFY2(load.data, qPrintable(load.error));
        if (warning.isEmpty()) {
            QVERIFY(load.warnings.isEmpty());
        } else {
            QCOMPARE(load.warnings.size(), 2);
            QVERIFY2(load.warnings.at(0).contains(warning), qPrintable(load.warnings.at(0)));
            QVERIFY2(load.warnings.at(1).contains(QStringLiteral("first 100 entries")),
                qPrintable(load.warnings.at(1)));
        }

        AppContext context;
        context.server = ServerAddress { QStringLiteral("127.0.0.1"), 9 };
        context.dataDir = dir.filePath(QStringLiteral("data"));
        context.referenceDir = dir.path();
        QVERIFY(QDir().mkpath(context.dataDir));
        frmMain window(
            context, std::move(load.data->countries), std::move(load.data->locationTypes));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("tCountry"))->count(), countryRows);
        QCOMPARE(
            window.findChild<QComboBox *>(QStringLiteral("tLocation"))->count(), locationRows + 1);
        QCOMPARE(QString::fromStdString(window.GetCountryCode(toBytes(lookup))), code);
        QVERIFY(!window.grab().isNull());

        QCOMPARE(KeptFiles::hashOf(countriesPath), countriesHash);
        QCOMPARE(KeptFiles::hashOf(locationsPath), locationsHash);
    }
};

QTEST_MAIN(TestReferenceFaults)
#include "tst_reference_faults.moc"
