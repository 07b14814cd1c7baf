#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

bool putFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

// The program as a user starts it: exit statuses, standard output and standard error.
class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void versionNeedsNoDisplay();
    void help();
    void badOption_data();
    void badOption();
    void missingReferenceFile_data();
    void missingReferenceFile();
    void dataFolderCannotBeCreated();
    void startsAndCreatesDataFolder();
    void excessReferenceLinesWarn();

private:
    QProcessEnvironment environment(bool display = true) const;
    Run run(const QStringList &arguments, bool display = true);
    // Starts the window and waits until `ready` holds, then ends the program.
    bool startWindow(const QStringList &arguments,
        const std::function<bool(const QString &err)> &ready, QString *err);

    QString m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStartup::initTestCase()
{
    m_program = qEnvironmentVariable("PELLOMAR_BIN_DIR") + QStringLiteral("/pellomar");
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
}

void TestStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QProcessEnvironment TestStartup::environment(bool display) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (display) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    // Whatever the program would write for the user stays in the test's folder.
    env.insert(QStringLiteral("HOME"), m_dir->path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("xdg")));
    return env;
}

Run TestStartup::run(const QStringList &arguments, bool display)
{
    QProcess process;
    process.setProcessEnvironment(environment(display));
    process.start(m_program, arguments);
    Run result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("<did not end>");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

bool TestStartup::startWindow(
    const QStringList &arguments, const std::function<bool(const QString &)> &ready, QString *err)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(m_program, arguments);
    if (!process.waitForStarted(10000))
        return false;
    bool seen = false;
    for (int waited = 0; waited < 300 && process.state() == QProcess::Running && !seen; ++waited) {
        process.waitForReadyRead(100);
        *err += QString::fromLocal8Bit(process.readAllStandardError());
        seen = ready(*err);
    }
    const bool stillRunning = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished();
    return seen && stillRunning;
}

void TestStartup::versionNeedsNoDisplay()
{
    const Run result = run({ QStringLiteral("--version") }, false);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QStringLiteral("pellomar " PELLOMAR_VERSION "\n"));
    QCOMPARE(result.err, QString());
}

void TestStartup::help()
{
    const Run result = run({ QStringLiteral("--help") }, false);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith(QStringLiteral("Usage: pellomar")), qPrintable(result.out));
    QVERIFY(result.out.contains(QStringLiteral("--server")));
    QVERIFY(result.out.contains(QStringLiteral("--data-dir")));
}

void TestStartup::badOption_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown") << QStringList { QStringLiteral("--colour=red") }
                             << QStringLiteral("colour");
    QTest::newRow("bad server") << QStringList { QStringLiteral("--server"),
        QStringLiteral("h:99999") }
                                << QStringLiteral("h:99999");
    QTest::newRow("stray argument")
        << QStringList { QStringLiteral("tmp.txt") } << QStringLiteral("tmp.txt");
}

void TestStartup::badOption()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const Run result = run(arguments, false);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith(QStringLiteral("pellomar: ")), qPrintable(result.err));
    QVERIFY2(result.err.contains(reason), qPrintable(result.err));
}

void TestStartup::missingReferenceFile_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("missing");
    QTest::newRow("countries.txt")
        << QStringLiteral("locations.txt") << QStringLiteral("countries.txt");
    QTest::newRow("locations.txt")
        << QStringLiteral("countries.txt") << QStringLiteral("locations.txt");
}

void TestStartup::missingReferenceFile()
{
    QFETCH(QString, present);
    QFETCH(QString, missing);
    const QString reference = m_dir->filePath(QStringLiteral("reference"));
    QVERIFY(QDir().mkpath(reference));
    QVERIFY(putFile(reference + u'/' + present, "US|United States of America\r\n"));
    const Run result
        = run({ QStringLiteral("--reference-dir"), reference, QStringLiteral("--no-dialogs"),
            QStringLiteral("--data-dir"), m_dir->filePath(QStringLiteral("data")) });
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(QStringLiteral("The reference file ") + missing
                 + QStringLiteral(" cannot be read")),
        qPrintable(result.err));
    QVERIFY2(result.err.contains(reference + u'/' + missing + QStringLiteral(" does not exist")),
        qPrintable(result.err));
}

void TestStartup::dataFolderCannotBeCreated()
{
    // Below a file no folder can be made, whoever runs the test.
    const QString file = m_dir->filePath(QStringLiteral("file"));
    QVERIFY(putFile(file, "x"));
    const Run result = run({ QStringLiteral("--data-dir"), file + QStringLiteral("/data"),
        QStringLiteral("--no-dialogs") });
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(QStringLiteral("data folder")), qPrintable(result.err));
}

void TestStartup::startsAndCreatesDataFolder()
{
    const QString data = m_dir->filePath(QStringLiteral("new/data"));
    QString err;
    // The window is up once the data folder exists and the program keeps running.
    QVERIFY2(startWindow(
                 { QStringLiteral("--data-dir"), data, QStringLiteral("--no-dialogs"),
                     QStringLiteral("--server"), QStringLiteral("127.0.0.1:9") },
                 [&](const QString &) { return QFileInfo(data).isDir(); }, &err),
        qPrintable(err));
    QVERIFY2(!err.contains(QStringLiteral("pellomar:")), qPrintable(err));
}

void TestStartup::excessReferenceLinesWarn()
{
    const QString reference = m_dir->filePath(QStringLiteral("reference"));
    QVERIFY(QDir().mkpath(reference));
    QByteArray types;
    for (int i = 1; i <= 102; ++i)
        types += "Type " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\r\n";
    QVERIFY(
        putFile(reference + QStringLiteral("/countries.txt"), "US|United States of America\r\n"));
    QVERIFY(putFile(reference + QStringLiteral("/locations.txt"), types));
    QString err;
    QVERIFY2(
        startWindow(
            { QStringLiteral("--reference-dir"), reference, QStringLiteral("--no-dialogs"),
                QStringLiteral("--data-dir"), m_dir->filePath(QStringLiteral("data")) },
            [](const QString &text) { return text.contains(QStringLiteral("2 further lines")); },
            &err),
        qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("pellomar: warning: ") + reference
                 + QStringLiteral("/locations.txt")),
        qPrintable(err));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
