#include "shell/reference_files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <set>

using namespace pellomar;

namespace {

bool putFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QString text(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

class TestReferenceFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void folders();
    void choosesFolderHoldingCountries_data();
    void choosesFolderHoldingCountries();
    void loads();
    void missingFile_data();
    void missingFile();
    void folderInsteadOfFile();
    void excessLinesAreReported();
    void shippedCountries();
    void shippedLocationTypes();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestReferenceFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestReferenceFiles::folders()
{
    QCOMPARE(referenceFolders(QStringLiteral("/opt/pellomar/bin")),
        (QStringList {
            QStringLiteral("/opt/pellomar/bin"), QStringLiteral("/opt/pellomar/share/pellomar") }));
}

void TestReferenceFiles::choosesFolderHoldingCountries_data()
{
    QTest::addColumn<bool>("inFirst");
    QTest::addColumn<bool>("inSecond");
    QTest::addColumn<int>("chosen");

    QTest::newRow("next to the executable") << true << true << 0;
    QTest::newRow("installed share folder") << false << true << 1;
    QTest::newRow("nowhere: the first place is named") << false << false << 0;
}

void TestReferenceFiles::choosesFolderHoldingCountries()
{
    QFETCH(bool, inFirst);
    QFETCH(bool, inSecond);
    QFETCH(int, chosen);
    const QStringList folders { m_dir->filePath(QStringLiteral("bin")),
        m_dir->filePath(QStringLiteral("share")) };
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(folder));
    if (inFirst)
        QVERIFY(putFile(
            folders[0] + QStringLiteral("/countries.txt"), "US|United States of America\r\n"));
    if (inSecond)
        QVERIFY(putFile(
            folders[1] + QStringLiteral("/countries.txt"), "US|United States of America\r\n"));
    QCOMPARE(chooseReferenceFolder(folders), folders[chosen]);
}

void TestReferenceFiles::loads()
{
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("countries.txt")),
        "CA|Canada\r\nUS|United States of America\r\n"));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("locations.txt")), "Airport,AIR\r\n"));
    const ReferenceLoad load = loadReferenceFiles(m_dir->path());
    QVERIFY2(load.data, qPrintable(load.error));
    QCOMPARE(load.error, QString());
    QVERIFY(load.warnings.isEmpty());
    QCOMPARE(load.data->countries.rows().size(), std::size_t(2));
    QCOMPARE(load.data->countries.capacity(), ReferenceTable::CountryCapacity);
    QCOMPARE(load.data->locationTypes.rows().size(), std::size_t(1));
    QCOMPARE(load.data->locationTypes.capacity(), ReferenceTable::LocationTypeCapacity);
}

void TestReferenceFiles::missingFile_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("missing");
    QTest::newRow("countries") << QStringLiteral("locations.txt")
                               << QStringLiteral("countries.txt");
    QTest::newRow("locations") << QStringLiteral("countries.txt")
                               << QStringLiteral("locations.txt");
}

void TestReferenceFiles::missingFile()
{
    QFETCH(QString, present);
    QFETCH(QString, missing);
    QVERIFY(putFile(m_dir->filePath(present), "A,B|C\r\n"));
    const ReferenceLoad load = loadReferenceFiles(m_dir->path());
    QVERIFY(!load.data);
    QVERIFY2(
        load.error.contains(QStringLiteral("reference file ") + missing), qPrintable(load.error));
    QVERIFY2(load.error.contains(QDir::toNativeSeparators(m_dir->filePath(missing))
                 + QStringLiteral(" does not exist")),
        qPrintable(load.error));
}

void TestReferenceFiles::folderInsteadOfFile()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("countries.txt")));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("locations.txt")), "Airport,AIR\r\n"));
    const ReferenceLoad load = loadReferenceFiles(m_dir->path());
    QVERIFY(!load.data);
    QVERIFY2(load.error.contains(QStringLiteral("is a folder")), qPrintable(load.error));
}

void TestReferenceFiles::excessLinesAreReported()
{
    QByteArray countries;
    for (int i = 1; i <= 503; ++i)
        countries += "C" + QByteArray::number(i) + "|Country " + QByteArray::number(i) + "\r\n";
    QByteArray locations;
    for (int i = 1; i <= 100; ++i)
        locations += "Type " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\r\n";
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("countries.txt")), countries));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("locations.txt")), locations));

    const ReferenceLoad load = loadReferenceFiles(m_dir->path());
    QVERIFY(load.data);
    QCOMPARE(load.data->countries.rows().size(), std::size_t(500));
    QCOMPARE(load.data->locationTypes.rows().size(), std::size_t(100));
    QCOMPARE(load.warnings.size(), 1);
    QVERIFY2(load.warnings[0].contains(m_dir->filePath(QStringLiteral("countries.txt"))),
        qPrintable(load.warnings[0]));
    QVERIFY2(load.warnings[0].contains(QStringLiteral("first 500 entries")),
        qPrintable(load.warnings[0]));
    QVERIFY2(
        load.warnings[0].contains(QStringLiteral("3 further lines")), qPrintable(load.warnings[0]));
}

void TestReferenceFiles::shippedCountries()
{
    const ReferenceLoad load
        = loadReferenceFiles(qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + QStringLiteral("/data"));
    QVERIFY2(load.data, qPrintable(load.error));
    QVERIFY(load.warnings.isEmpty());
    const ReferenceTable &countries = load.data->countries;
    QVERIFY(countries.rows().size() >= 240);
    std::set<std::string> codes;
    const QRegularExpression twoLetters(QStringLiteral("^[A-Z]{2}$"));
    for (const ReferenceRow &row : countries.rows()) {
        QVERIFY2(!row.name.empty(), row.code.c_str());
        QVERIFY2(twoLetters.match(text(row.code)).hasMatch(), row.code.c_str());
        QVERIFY2(codes.insert(row.code).second, row.code.c_str());
    }
    // The default country of the search form is in the list.
    QCOMPARE(countries.codeForName("United States of America"), std::optional<std::string>("US"));
    QCOMPARE(countries.nameForCode("GB"), std::optional<std::string>("UNITED KINGDOM"));
}

void TestReferenceFiles::shippedLocationTypes()
{
    const ReferenceLoad load
        = loadReferenceFiles(qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + QStringLiteral("/data"));
    QVERIFY2(load.data, qPrintable(load.error));
    const ReferenceTable &types = load.data->locationTypes;
    const QRegularExpression shortCode(QStringLiteral("^[A-Z]{2,8}$"));
    std::set<std::string> codes;
    for (const ReferenceRow &row : types.rows()) {
        QVERIFY2(!row.name.empty(), row.code.c_str());
        QVERIFY2(shortCode.match(text(row.code)).hasMatch(), row.code.c_str());
        QVERIFY2(codes.insert(row.code).second, row.code.c_str());
    }
    for (const char *name : { "airport", "hotel", "caf\xC3\xA9", "restaurant", "library",
             "train station", "university", "convention centre", "park", "bookstore" })
        QVERIFY2(types.codeForName(name), name);
}

QTEST_GUILESS_MAIN(TestReferenceFiles)
#include "tst_reference_files.moc"
