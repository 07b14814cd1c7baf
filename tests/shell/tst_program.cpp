// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"
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
    // no dialogs").
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *arguments, const QString &outcome) {
            QTest::newRow(*arguments ? arguments : "no arguments")
                << QString::fromLatin1(arguments) << outcome;
        };
        row("", u"hotspots.example:80|||0|"_s);
        row("--server~127.0.0.1:8080~--reference-dir~/r~--no-dialogs~--data-dir=results/../d/",
            u"127.0.0.1:8080|%1/d|/r|1|"_s.arg(QDir::currentPath()));
        row("--tile-server~http://127.0.0.1:9/t/{z}/{x}/{y}.png",
            u"hotspots.example:80|||0|http://127.0.0.1:9/t/{z}/{x}/{y}.png"_s);
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, outcome);
        const CommandLine parsed = parseCommandLine(
            QStringList { u"pellomar"_s } + arguments.split(u'~', Qt::SkipEmptyParts),
            { u"hotspots.example"_s, 80 });
        QVERIFY(parsed.start && parsed.standardOutput.isEmpty() && parsed.standardError.isEmpty());
        QCOMPARE(u"%1:%2|%3|%4|%5|%6"_s.arg(parsed.start->server.host)
                     .arg(parsed.start->server.port)
                     .arg(parsed.start->dataDir, parsed.start->referenceDir)
                     .arg(int(parsed.start->noDialogs))
                     .arg(parsed.start->tileServer),
            outcome);
    }

    // The program run as a process from the test's folder ("%1"), whose "ref" holds the given
    // reference files. It has no
    // display but one it is given with "-platform"; once its window is up it reports the start
    // and ends.
    void runs_data()
    {
        QTest::addColumn<QString>("program"); // "build" or "installed"
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArrayList>("reference"); // countries.txt, locations.txt
        QTest::addColumn<int>("status");
        // Pieces of what it prints, "!" before one it must not print; it says nothing else.
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("folder"); // a folder it makes
        QTest::addColumn<QString>("language"); // "VARIABLE=value~..."; English without
        const auto row = [](const char *name, const char *program, const char *arguments,
                             const QByteArrayList &reference, int status, const char *printed,
                             const char *folder = "", const char *language = "") {
            QTest::newRow(name) << QString::fromLatin1(program) << QString::fromLatin1(arguments)
                                << reference << status << QString::fromUtf8(printed)
                                << QString::fromLatin1(folder) << QString::fromLatin1(language);
        };
        QByteArray types;
        for (int i = 1; i <= 102; ++i)
            types += "Type " + QByteArray::number(i) + ",T" + QByteArray::number(i) + "\r\n";
        const char *own
            = "-platform~offscreen~--reference-dir~%1/ref~--no-dialogs~--data-dir~%1/data";
        row("version", "build", "--version", {}, 0,
            "pellomar " PELLOMAR_VERSION "\nLicence GPL-3.0-or-later: GNU GPL version 3 or later "
            "<https://www.gnu.org/licenses/gpl.html>.\nThis is free software: you are free to "
            "change and share it. There is NO WARRANTY, to the extent permitted by law.\n");
        // A command line that cannot be used: the reason, then a pointer to the help.
        row("bad option", "build", "--colour=red", {}, 2,
            "pellomar: Unknown option 'colour'.\nTry 'pellomar --help' for more information.\n");
        row("not a host", "build", "--server~not a host", {}, 2,
            "pellomar: --server: 'not a host' is not a HOST or HOST:PORT address (a port is 1 to "
            "65535)");
        row("two servers", "build", "--server=a~--server=b", {}, 2,
            "pellomar: --server given more than once");
        row("no data folder", "build", "--data-dir=", {}, 2, "pellomar: --data-dir needs a folder");
        row("bad tile server", "build", "--tile-server~https://tiles.example/{z}/{x}.png", {}, 2,
            "pellomar: --tile-server: the tile server address https://tiles.example/{z}/{x}.png "
            "lacks {y}: it must hold {z}, {x} and {y}\nTry 'pellomar --help' for more "
            "information.\n");
        row("a country", "build", "United States", {}, 2,
            "pellomar: unexpected argument 'United States'");
        row("no countries.txt", "build", own, { {}, "Cafe,C" }, 1,
            "pellomar: The reference file countries.txt cannot be read: %1/ref/countries.txt does "
            "not exist.");
        // In the language the environment asks for, first choice first; English when it has
        // none of them.
        row("German", "build", own, {}, 1, "pellomar: Die Referenzdatei countries.txt kann nicht",
            "", "LANG=de_DE.UTF-8");
        row("French first", "build", own, {}, 1, "pellomar: Le fichier de référence countries.txt",
            "", "LANGUAGE=fr:de~LANG=de_DE.UTF-8");
        row("Spanish messages", "build", own, {}, 1, "pellomar: No se puede leer", "",
            "LC_MESSAGES=es_ES.UTF-8");
        row("Japanese", "build", own, {}, 1, "pellomar: The reference file countries.txt", "",
            "LANG=ja_JP.UTF-8");
        row("too many location types", "build", own, { "US|USA", types }, 0,
            "pellomar: warning: %1/ref/locations.txt: only the first 100 entries are used; 2 "
            "further lines were ignored.~started in",
            "%1/data");
        row("no display", "build", "--no-dialogs", {}, 1,
            "pellomar: there is no display to show the window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY names one that works); start it in a desktop session\n");
        row("installed", "installed", "-platform~offscreen~--no-dialogs~--server~127.0.0.1:9", {},
            0, "started in", "%1/xdg/pellomar");
    }

    void runs()
    {
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        QFETCH(QByteArrayList, reference);
        QFETCH(QString, printed);
        QFETCH(QString, folder);
        QFETCH(QString, language);
        QTemporaryDir dir;
        const auto here = [&dir](QString text) { return text.replace(u"%1"_s, dir.path()); };
        QVERIFY(QDir().mkpath(dir.filePath(u"ref"_s)));
        for (qsizetype i = 0; i < reference.size(); ++i) {
            const QString path = dir.filePath(i ? u"ref/locations.txt"_s : u"ref/countries.txt"_s);
            QVERIFY(reference[i].isNull() || putFile(path, reference[i]));
        }
        // Whatever it writes for the user stays in the test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &display : { u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s })
            environment.remove(display);
        environment.insert(u"HOME"_s, dir.path());
        environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"xdg"_s));
        environment.insert(u"PELLOMAR_REPORT_STARTUP"_s, u"1"_s);
        for (const QString &setting : language.split(u'~', Qt::SkipEmptyParts))
            environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(
            program == u"build"_s ? binDir() + u"/pellomar"_s : m_prefix + u"/bin/pellomar"_s,
            here(arguments).split(u'~', Qt::SkipEmptyParts));
        QVERIFY(process.waitForFinished(30000));
        QString out = QString::fromLocal8Bit(process.readAll());
        const QString all = out;
        for (const QString &piece : here(printed).split(u'~', Qt::SkipEmptyParts)) {
            const bool absent = piece.startsWith(u'!');
            QVERIFY2(out.contains(piece.mid(absent)) != absent, qPrintable(all));
            out.remove(piece);
        }
        QVERIFY2(!out.contains(u"pellomar:"_s), qPrintable(all));
        QVERIFY(folder.isEmpty() || QFileInfo(here(folder)).isDir());
        QTEST(process.exitCode(), "status");
    }

    // The installed tree: the program, its reference files as the build has them, the desktop's
    // files and the icon in every size, each drawn and opaque in its centre, its corners
    // rounded off.
    void installedTree()
    {
        const QDir prefix(m_prefix);
        QVERIFY(QFileInfo(prefix.filePath(u"bin/pellomar"_s)).isExecutable());
        for (const QString &name : { u"countries.txt"_s, u"locations.txt"_s }) {
            QCOMPARE(fileBytes(prefix.filePath(u"share/pellomar/"_s + name)),
                fileBytes(QStringLiteral(PELLOMAR_SOURCE_DATA "/") + name));
        }
        for (const QString &language : { u"de"_s, u"es"_s, u"fr"_s })
            QVERIFY(
                QFileInfo(prefix.filePath(u"share/pellomar/pellomar_%1.qm"_s.arg(language))).size()
                > 0);
        const QByteArray desktop
            = fileBytes(prefix.filePath(u"share/applications/pellomar.desktop"_s))
            + fileBytes(
                prefix.filePath(u"share/metainfo/example.pellomar.Pellomar.metainfo.xml"_s));
        QVERIFY2(desktop.contains("Exec=pellomar\nIcon=pellomar\n")
                && desktop.contains("<release version=\"" PELLOMAR_VERSION "\"")
                && !desktop.contains('@'),
            desktop);
        for (const int side : { 16, 24, 32, 48, 64, 128, 256 }) {
            const QImage icon(
                prefix.filePath(u"share/icons/hicolor/%1x%1/apps/pellomar.png"_s.arg(side)), "PNG");
            QVERIFY(icon.size() == QSize(side, side)
                && qAlpha(icon.pixel(side / 2, side / 2)) == 255 && qAlpha(icon.pixel(0, 0)) < 128);
        }
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
