#include "common/harness.h"
#include "shell/command_line.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

// The program as a user starts it: its command line, exit statuses and messages, its
// reference files, and the tree `cmake --install` lays out.
class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_prefix = m_dir.filePath(u"prefix"_s);

private Q_SLOTS:
    void initTestCase()
    {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(PELLOMAR_CMAKE_COMMAND),
            { u"--install"_s, QStringLiteral(PELLOMAR_BUILD_DIR), u"--prefix"_s, m_prefix,
                u"--component"_s, u"pellomar"_s });
        QVERIFY2(install.waitForFinished(120000) && install.exitCode() == 0, install.readAll());
    }

    // Arguments ("~" between them) -> what the program starts with ("HOST:PORT|data|reference|
    // no dialogs"), or the reason it exits with status 2.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *arguments, const QString &outcome) {
            QTest::newRow(*arguments ? arguments : "no arguments")
                << QString::fromLatin1(arguments) << outcome;
        };
        row("", u"hotspots.example:80|||0"_s);
        row("--server~127.0.0.1:8080", u"127.0.0.1:8080|||0"_s);
        row("--data-dir~results/../data",
            u"hotspots.example:80|%1/data||0"_s.arg(QDir::currentPath()));
        row("--reference-dir~/r~--no-dialogs~--data-dir=/d/", u"hotspots.example:80|/d|/r|1"_s);
        row("-platform~offscreen~-style~fusion~-reverse", u"hotspots.example:80|||0"_s);
        row("--bogus", u"Unknown option 'bogus'."_s);
        row("--server", u"Missing value after '--server'."_s);
        row("--server~not a host",
            u"--server: 'not a host' is not a HOST or HOST:PORT address (a port is 1 to 65535)"_s);
        row("--server=a~--server=b", u"--server given more than once"_s);
        row("--data-dir=", u"--data-dir needs a folder"_s);
        row("United States", u"unexpected argument 'United States'"_s);
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, outcome);
        const CommandLine parsed = parseCommandLine(
            QStringList { u"pellomar"_s } + arguments.split(u'~', Qt::SkipEmptyParts),
            { u"hotspots.example"_s, 80 });
        QCOMPARE(parsed.standardOutput, QString());
        if (const auto &start = parsed.start) {
            QCOMPARE(u"%1:%2|%3|%4|%5%6"_s.arg(start->server.host)
                         .arg(start->server.port)
                         .arg(start->dataDir, start->referenceDir)
                         .arg(int(start->noDialogs))
                         .arg(parsed.standardError),
                outcome);
        } else {
            QCOMPARE(parsed.exitStatus, 2);
            QCOMPARE(parsed.standardError,
                u"pellomar: %1\nTry 'pellomar --help' for more information.\n"_s.arg(outcome));
        }
    }

    // The program run as a process from the test's folder ("%1"), whose "ref" holds the given
    // reference files ("/": a folder of that name) and whose "file" is a plain file.
    void runs_data()
    {
        QTest::addColumn<QString>("program"); // "build", "installed" or "moved" (without its share)
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArrayList>("reference"); // countries.txt, locations.txt
        QTest::addColumn<int>("status"); // -1: keeps running
        QTest::addColumn<QString>("printed"); // pieces of it; "!" before one that is not there
        QTest::addColumn<QString>("folder"); // a folder it makes
        const auto row = [](const char *name, const char *program, const char *arguments,
                             const QByteArrayList &reference, int status, const char *printed,
                             const char *folder = "") {
            QTest::newRow(name) << QString::fromLatin1(program) << QString::fromLatin1(arguments)
                                << reference << status << QString::fromLatin1(printed)
                                << QString::fromLatin1(folder);
        };
        QByteArray types;
        for (int i = 1; i <= 102; ++i)
            types += "Type " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\r\n";
        const char *own = "--reference-dir~%1/ref~--no-dialogs~--data-dir~%1/data";
        row("version, no display", "build", "--version", {}, 0, "pellomar " PELLOMAR_VERSION "\n");
        row("help", "build", "--help", {}, 0,
            "Usage: pellomar [options]~--server <HOST[:PORT]>~(default ~--data-dir <DIR>~"
            "--version~!reference-dir~!no-dialogs~!platform");
        row("bad option", "build", "--colour=red", {}, 2, "pellomar: Unknown option 'colour'.");
        row("no countries.txt", "build", own, { {}, "Cafe,C" }, 1,
            "pellomar: The reference file countries.txt cannot be read: %1/ref/countries.txt does "
            "not exist.");
        row("no locations.txt", "build", own, { "US|USA", {} }, 1,
            "The reference file locations.txt cannot be read: %1/ref/locations.txt does not exist");
        row("countries.txt a folder", "build", own, { "/", "Cafe,C" }, 1,
            "countries.txt cannot be read: %1/ref/countries.txt is a folder");
        row("too many location types", "build", own, { "US|USA", types }, -1,
            "pellomar: warning: %1/ref/locations.txt: only the first 100 entries are used; 2 "
            "further lines were ignored.",
            "%1/data");
        row("no data folder possible", "build", "--data-dir~%1/file/data~--no-dialogs", {}, 1,
            "The data folder %1/file/data cannot be created.");
        row("installed", "installed", "--no-dialogs~--server~127.0.0.1:9", {}, -1, "",
            "%1/xdg/pellomar");
        row("moved without its share folder", "moved", "--no-dialogs", {}, 1,
            "The reference file countries.txt cannot be read: %1/bin/countries.txt does not exist");
    }

    void runs()
    {
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        QFETCH(QByteArrayList, reference);
        QFETCH(int, status);
        QFETCH(QString, printed);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        const auto here = [&dir](QString text) { return text.replace(u"%1"_s, dir.path()); };
        QVERIFY(QDir().mkpath(dir.filePath(u"ref"_s)) && putFile(dir.filePath(u"file"_s), "x"));
        for (qsizetype i = 0; i < reference.size(); ++i) {
            const QString path
                = dir.filePath(i == 0 ? u"ref/countries.txt"_s : u"ref/locations.txt"_s);
            QVERIFY(reference[i].isNull()
                || (reference[i] == "/" ? QDir().mkdir(path) : putFile(path, reference[i])));
        }
        QString executable
            = program == u"build"_s ? binDir() + u"/pellomar"_s : m_prefix + u"/bin/pellomar"_s;
        if (program == u"moved"_s) {
            QVERIFY(QDir().mkpath(dir.filePath(u"bin"_s))
                && QFile::copy(executable, dir.filePath(u"bin/pellomar"_s)));
            executable = dir.filePath(u"bin/pellomar"_s);
        }
        // Whatever it writes for the user stays in the test's folder.
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &display :
            { u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s }) {
            if (status == 0)
                environment.remove(display);
        }
        environment.insert(u"HOME"_s, dir.path());
        environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"xdg"_s));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(executable, here(arguments).split(u'~', Qt::SkipEmptyParts));
        QString out;
        const auto seen = [&] {
            out += QString::fromLocal8Bit(
                process.readAllStandardOutput() + process.readAllStandardError());
            for (const QString &piece : here(printed).split(u'~', Qt::SkipEmptyParts)) {
                if (out.contains(piece.mid(piece.startsWith(u'!'))) == piece.startsWith(u'!'))
                    return false;
            }
            return folder.isEmpty() || QFileInfo(here(folder)).isDir();
        };
        if (status >= 0) {
            QVERIFY(process.waitForFinished(30000));
            QVERIFY2(seen(), qPrintable(out));
            QCOMPARE(process.exitCode(), status);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(seen() || process.state() != QProcess::Running, 20000);
        QTest::qWait(300);
        const bool running = process.state() == QProcess::Running;
        process.kill();
        process.waitForFinished();
        // Running, with nothing reported but the warning expected.
        QVERIFY2(running && seen() && !out.remove(here(printed)).contains(u"pellomar:"_s),
            qPrintable(out));
    }

    // The installed tree: the program, its reference files as the build has them, the desktop's
    // files and the icon in every size.
    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("check"); // the file it equals, a piece it holds, an icon's side
        const auto row = [](const QString &path, const QString &check) {
            QTest::newRow(qPrintable(path + u' ' + check.left(12))) << path << check;
        };
        row(u"bin/pellomar"_s, {});
        for (const QString &name : { u"countries.txt"_s, u"locations.txt"_s })
            row(u"share/pellomar/"_s + name, QStringLiteral(PELLOMAR_SOURCE_DATA "/") + name);
        row(u"share/applications/pellomar.desktop"_s, u"Exec=pellomar\nIcon=pellomar\n"_s);
        for (const QString &piece :
            { u"<launchable type=\"desktop-id\">pellomar.desktop</launchable>"_s,
                QStringLiteral("<release version=\"" PELLOMAR_VERSION "\"") })
            row(u"share/metainfo/example.pellomar.Pellomar.metainfo.xml"_s, piece);
        for (const int side : { 16, 24, 32, 48, 64, 128, 256 })
            row(u"share/icons/hicolor/%1x%1/apps/pellomar.png"_s.arg(side), QString::number(side));
    }

    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, check);
        const QFileInfo file(m_prefix + u'/' + path);
        const QByteArray bytes = fileBytes(file.filePath());
        QVERIFY2(!bytes.isEmpty(), qPrintable(file.filePath()));
        const QImage icon = QImage::fromData(bytes, "PNG");
        if (check.isEmpty())
            QVERIFY(file.isExecutable());
        else if (check.startsWith(u'/'))
            QCOMPARE(bytes, fileBytes(check));
        else if (const int side = check.toInt())
            // A picture: the centre drawn and opaque, the corners rounded off.
            QVERIFY(icon.size() == QSize(side, side)
                && qAlpha(icon.pixel(side / 2, side / 2)) == 255 && qAlpha(icon.pixel(0, 0)) < 128);
        else
            QVERIFY2(bytes.contains(check.toUtf8()) && !bytes.contains('@'), bytes.constData());
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
