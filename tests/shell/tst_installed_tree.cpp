#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The program as `cmake --install` lays it out under a prefix: every file in its place, and
// the installed program running from there with its reference files found in the share
// folder, without any option.
class TestInstalledTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filesInPlace_data();
    void filesInPlace();
    void iconSizes_data();
    void iconSizes();
    void desktopEntryNamesTheProgram();
    void version();
    void startsWithTheShareFolder();
    void missingShareFolderIsNamed();

private:
    QProcessEnvironment environment() const;
    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }

    QTemporaryDir m_dir;
    QDir m_prefix;
};

void TestInstalledTree::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prefix = QDir(m_dir.filePath(QStringLiteral("prefix")));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(PELLOMAR_CMAKE_COMMAND),
        { QStringLiteral("--install"), QStringLiteral(PELLOMAR_BUILD_DIR),
            QStringLiteral("--prefix"), m_prefix.path(), QStringLiteral("--component"),
            QStringLiteral("pellomar") });
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
        install.readAll().constData());
}

void TestInstalledTree::filesInPlace_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : { "bin/pellomar", "share/pellomar/countries.txt",
             "share/pellomar/locations.txt", "share/applications/pellomar.desktop",
             "share/metainfo/example.pellomar.Pellomar.metainfo.xml" })
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestInstalledTree::filesInPlace()
{
    QFETCH(QString, path);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QVERIFY(file.size() > 0);
    if (path.startsWith(QStringLiteral("bin/")))
        QVERIFY(file.isExecutable());
    // The reference files are the build's own, byte for byte.
    if (path.startsWith(QStringLiteral("share/pellomar/"))) {
        QFile installedFile(file.filePath());
        QFile source(QStringLiteral(PELLOMAR_SOURCE_DATA) + u'/' + file.fileName());
        QVERIFY(installedFile.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
        QCOMPARE(installedFile.readAll(), source.readAll());
    }
}

void TestInstalledTree::iconSizes_data()
{
    QTest::addColumn<int>("side");
    for (const int side : { 16, 24, 32, 48, 64, 128, 256 })
        QTest::addRow("%dx%d", side, side) << side;
}

void TestInstalledTree::iconSizes()
{
    QFETCH(int, side);
    const QString path
        = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/pellomar.png").arg(side));
    QImage icon;
    QVERIFY2(icon.load(path, "PNG"), qPrintable(path));
    QCOMPARE(icon.size(), QSize(side, side));
    QVERIFY(icon.hasAlphaChannel());
    // A picture, not an empty canvas: the centre is drawn and opaque, the corners rounded off.
    QCOMPARE(qAlpha(icon.pixel(side / 2, side / 2)), 255);
    QVERIFY(qAlpha(icon.pixel(0, 0)) < 128);
}

void TestInstalledTree::desktopEntryNamesTheProgram()
{
    QSettings entry(
        installed(QStringLiteral("share/applications/pellomar.desktop")), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    // The command and the icon are the installed ones.
    QVERIFY(QFileInfo(
        installed(QStringLiteral("bin/") + entry.value(QStringLiteral("Exec")).toString()))
                .isExecutable());
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/48x48/apps/")
        + entry.value(QStringLiteral("Icon")).toString() + QStringLiteral(".png"))));

    QFile metainfo(
        installed(QStringLiteral("share/metainfo/example.pellomar.Pellomar.metainfo.xml")));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QByteArray xml = metainfo.readAll();
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">pellomar.desktop</launchable>"));
    QVERIFY(xml.contains("<release version=\"" PELLOMAR_VERSION "\""));
    QVERIFY2(!xml.contains('@'), xml.constData());
}

QProcessEnvironment TestInstalledTree::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("home/data")));
    return env;
}

void TestInstalledTree::version()
{
    QProcess program;
    program.setProcessEnvironment(environment());
    program.start(installed(QStringLiteral("bin/pellomar")), { QStringLiteral("--version") });
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput(), QByteArray("pellomar " PELLOMAR_VERSION "\n"));
}

void TestInstalledTree::startsWithTheShareFolder()
{
    // Started from elsewhere, with nothing but its own folder to go by.
    QProcess program;
    program.setProcessEnvironment(environment());
    program.setWorkingDirectory(m_dir.path());
    program.start(installed(QStringLiteral("bin/pellomar")),
        { QStringLiteral("--no-dialogs"), QStringLiteral("--server"),
            QStringLiteral("127.0.0.1:9") });
    QVERIFY(program.waitForStarted(10000));
    // The window is up once the per-user data folder exists; the program must still be running
    // a moment later, with nothing reported.
    const QString dataFolder = m_dir.filePath(QStringLiteral("home/data/pellomar"));
    QTRY_VERIFY_WITH_TIMEOUT(
        QFileInfo(dataFolder).isDir() || program.state() != QProcess::Running, 20000);
    QTest::qWait(500);
    const bool running = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished();
    const QByteArray err = program.readAllStandardError();
    QVERIFY2(running, err.constData());
    QVERIFY2(!err.contains("pellomar:"), err.constData());
}

void TestInstalledTree::missingShareFolderIsNamed()
{
    // A copy of the installed program without its share folder says where it looked.
    const QDir elsewhere(m_dir.filePath(QStringLiteral("moved")));
    QVERIFY(QDir().mkpath(elsewhere.filePath(QStringLiteral("bin"))));
    const QString copy = elsewhere.filePath(QStringLiteral("bin/pellomar"));
    QVERIFY(QFile::copy(installed(QStringLiteral("bin/pellomar")), copy));
    QProcess program;
    program.setProcessEnvironment(environment());
    program.start(copy, { QStringLiteral("--no-dialogs") });
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("countries.txt")), qPrintable(err));
}

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "tst_installed_tree.moc"
