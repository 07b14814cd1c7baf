// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"
#include "platform/app_context.h"
#include "platform/browser.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/look.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>
#include <sys/stat.h>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(pellomar::FileOwner)

// The adapters between the rules and Qt: the server address, the browser, text from outside,
// twips, fonts, the real message box, and files read within a limit and replaced whole or not
// at all (the user's file where the user pointed, the program's own by a rename over its name).
class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fresh(const QString &name)
    {
        const QString folder = m_dir.filePath(QString::number(++m_count));
        QDir().mkpath(folder);
        return folder + u'/' + name;
    }
    int m_count = 0;

private Q_SLOTS:
    void serverAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hostHeader"); // empty: refused
        QTest::addColumn<QString>("siteUrl");
        const auto row = [](const char *text, const char *header = "", const char *site = "") {
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(header)
                                << QString::fromLatin1(site);
        };
        row("hotspots.example", "hotspots.example", "http://hotspots.example");
        row(" 127.0.0.1:8080 ", "127.0.0.1:8080", "http://127.0.0.1:8080");
        row("localhost:80", "localhost", "http://localhost");
        row("[::1]:65535", "[::1]:65535", "http://[::1]:65535");
        row("[::1]", "[::1]", "http://[::1]");
        for (const char *refused : { "", "h:0", "h:65536", "h:-1", "h:http", "a b",
                 "h/browse-app.php", "h?country=US", "h#top", "me@h", "http://h", ":8080", "[::1" })
            row(refused);
    }
    void serverAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, hostHeader);
        const auto address = ServerAddress::parse(text);
        QCOMPARE(address.has_value(), !hostHeader.isEmpty());
        if (!address)
            return;
        QCOMPARE(address->hostHeader(), hostHeader);
        QTEST(address->siteUrl(), "siteUrl");
    }

    // Only web addresses reach the browser, and never through a command line.
    void browser_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("handed"); // empty: refused
        QTest::newRow("https, path, query")
            << u"https://h.example/a?b=1"_s << u"https://h.example/a?b=1"_s;
        QTest::newRow("capitals, spaces")
            << u"  HTTP://h.example:8080/ "_s << u"http://h.example:8080/"_s;
        for (const char *refused : { "", "file:///etc/passwd", "javascript:alert(1)",
                 "ftp://h.example/", "mailto:a@h.example", "www.h.example", "http://",
                 "/etc/passwd", "http://h.example\" & calc", "http://a b.example/" })
            QTest::newRow(refused) << QString::fromLatin1(refused) << QString();
    }
    void browser()
    {
        QFETCH(QString, address);
        QFETCH(QString, handed);
        QStringList opened;
        setBrowserOpener([&opened](const QString &where) { opened << where; });
        QCOMPARE(OpenInBrowser(address), !handed.isEmpty());
        setBrowserOpener({});
        QCOMPARE(opened, handed.isEmpty() ? QStringList() : QStringList { handed });
    }

    // 15 twips a pixel, half a pixel rounding away from zero. Bytes from outside are UTF-8 when
    // they all are, else Latin-1 (one bad byte is enough): no byte is lost.
    void conversions()
    {
        QCOMPARE(twipsRect(-120, 7, 8, 11910), QRect(-8, 0, 1, 794));
        QCOMPARE(twips(-8), -1);
        QCOMPARE(displayText(QByteArray("\xE2\x82\xAC Caf\xC3\xA9")), u"\u20AC Caf\u00E9"_s);
        QCOMPARE(displayText(QByteArray("\xC3\xA9\xE9")), u"\u00C3\u00A9\u00E9"_s);
        QCOMPARE(displayText(QByteArray("a\0b", 3)), u"a\0b"_s);
        QCOMPARE(QByteArray::fromStdString(toBytes(u"Z\u00FCrich"_s)), QByteArray("Z\xC3\xBCrich"));
    }

    // The real modal box, answered by a click as a user would: texts from outside are plain.
    void realMessageBox()
    {
        const QString text = u"Cannot write <b>x</b>"_s;
        QString title;
        bool plain = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            plain = box->textFormat() == Qt::PlainText && box->text() == text;
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(MessageBox::show(nullptr, QMessageBox::Question, QString(), text,
                     QMessageBox::Yes | QMessageBox::No),
            QMessageBox::No);
        QVERIFY(plain);
        QCOMPARE(title, u"Pellomar"_s);
    }

    void read_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error"); // empty: read whole
        QTest::newRow("bytes of every value") << u"file"_s << QString();
        QTest::newRow("missing") << u"missing"_s << u"does not exist"_s;
        QTest::newRow("folder") << u"folder"_s << u"is a folder, not a file"_s;
        QTest::newRow("FIFO, which a plain open waits on")
            << u"fifo"_s << u"is not a regular file"_s;
        QTest::newRow("over the limit") << u"large"_s << u"is too large (101 bytes)"_s;
    }
    void read()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        const QString path = fresh(u"read.bin"_s);
        const QByteArray bytes("\0\x80\xff\r\n", 5);
        if (kind == u"file"_s)
            QVERIFY(putFile(path, bytes));
        else if (kind == u"folder"_s)
            QVERIFY(QDir().mkpath(path));
        else if (kind == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == u"large"_s)
            QVERIFY(putFile(path, QByteArray(101, 'x')));
        const FileRead read = readWholeFile(path, 100);
        QCOMPARE(read.ok(), error.isEmpty());
        QCOMPARE(read.missing, kind == u"missing"_s);
        QVERIFY2(read.error.contains(error)
                && (error.isEmpty() || read.error.contains(QDir::toNativeSeparators(path))),
            qPrintable(read.error));
        QCOMPARE(read.data, error.isEmpty() ? bytes : QByteArray());
    }

    void replace_data()
    {
        QTest::addColumn<FileOwner>("owner");
        QTest::addColumn<QString>("fault");
        for (const auto &[owner, name] : { std::pair { FileOwner::User, "user's file" },
                 std::pair { FileOwner::Program, "program's own file" } }) {
            for (const char *fault : { "", "missing folder", "full disk" })
                QTest::addRow("%s %s", name, fault) << owner << QString::fromLatin1(fault);
        }
    }
    void replace()
    {
        QFETCH(FileOwner, owner);
        QFETCH(QString, fault);
        const QString path = fresh(u"tmp.txt"_s);
        const QByteArray old = "old, and longer than the new";
        QVERIFY(putFile(path, old));
        const QString target
            = fault == u"missing folder"_s ? m_dir.filePath(u"no/such/folder/tmp.txt"_s) : path;
        std::optional<FileSizeLimit> limit;
        if (fault == u"full disk"_s)
            QVERIFY(limit.emplace(16).active());
        const QString error
            = writeFileAtomically(target, fault.isEmpty() ? "new" : QByteArray(4096, 'n'), owner);
        limit.reset();
        if (fault.isEmpty()) {
            QCOMPARE(error, QString());
            QCOMPARE(fileBytes(path), QByteArray("new"));
        } else {
            QVERIFY2(error.startsWith(u"Cannot write "_s + QDir::toNativeSeparators(target)),
                qPrintable(error));
            QCOMPARE(fileBytes(path), old);
        }
        // Nothing half-made is left beside it.
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files | QDir::System | QDir::Hidden),
            QStringList { u"tmp.txt"_s });
    }

    // The user's file is written where the link points; the program's own file replaces the link
    // and leaves the file it pointed to alone, and replaces a FIFO (which a plain open would wait
    // on for ever) like any file.
    void whatStandsInTheWay()
    {
        const QString elsewhere = fresh(u"elsewhere.txt"_s);
        const QString link = m_dir.filePath(u"img.dat"_s);
        const QString saved = m_dir.filePath(u"saved.txt"_s);
        QVERIFY(putFile(elsewhere, "not the program's"));
        QVERIFY(QFile::link(elsewhere, link) && QFile::link(elsewhere, saved));
        QCOMPARE(writeFileAtomically(link, "picture", FileOwner::Program), QString());
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(fileBytes(link), QByteArray("picture"));
        QCOMPARE(fileBytes(elsewhere), QByteArray("not the program's"));
        QCOMPARE(writeFileAtomically(saved, "hotspot", FileOwner::User), QString());
        QVERIFY(QFileInfo(saved).isSymLink());
        QCOMPARE(fileBytes(elsewhere), QByteArray("hotspot"));
        const QString fifo = fresh(u"tmp.txt"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(writeFileAtomically(fifo, "results", FileOwner::Program), QString());
        QCOMPARE(fileBytes(fifo), QByteArray("results"));
    }

    // A replace made ready ahead changes nothing until it is committed, then replaces whatever
    // the file holds by that time, once.
    void pendingReplace()
    {
        const QString path = fresh(u"tmp.txt"_s);
        QVERIFY(putFile(path, "old result"));
        {
            PendingReplace dropped(path);
        }
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files), QStringList { u"tmp.txt"_s });
        PendingReplace replace(path);
        QVERIFY(putFile(path, "written meanwhile"));
        QCOMPARE(replace.commit("new result"), QString());
        QVERIFY(!replace.commit("again").isEmpty());
        QCOMPARE(fileBytes(path), QByteArray("new result"));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
