#include "common/harness.h"
#include "platform/app_context.h"
#include "platform/browser.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/look.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>
#include <sys/stat.h>

using namespace pellomar;
using namespace pellomar::test;

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
        QTest::newRow("https, path, query") << QStringLiteral("https://h.example/a?b=1")
                                            << QStringLiteral("https://h.example/a?b=1");
        QTest::newRow("capitals, spaces") << QStringLiteral("  HTTP://h.example:8080/ ")
                                          << QStringLiteral("http://h.example:8080/");
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

    // Bytes from outside are UTF-8 when they all are, else Latin-1: no byte is lost.
    void displayText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("\xE2\x82\xAC Caf\xC3\xA9")
                               << QStringLiteral("\u20AC Caf\u00E9");
        QTest::newRow("one bad byte makes it all Latin-1")
            << QByteArray("\xC3\xA9\xE9") << QStringLiteral("\u00C3\u00A9\u00E9");
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QStringLiteral("\u00C0\u00AF");
        QTest::newRow("NUL kept") << QByteArray("a\0b", 3)
                                  << QString(QStringLiteral("a") + QChar(0) + u'b');
    }
    void displayText()
    {
        QFETCH(QByteArray, bytes);
        QTEST(pellomar::displayText(bytes), "text");
        QCOMPARE(QByteArray::fromStdString(toBytes(QStringLiteral("Z\u00FCrich"))),
            QByteArray("Z\xC3\xBCrich"));
    }

    void twipsAndFonts()
    {
        // 15 twips a pixel, half a pixel rounding away from zero.
        QCOMPARE(twipsRect(-120, 7, 8, 11910), QRect(-8, 0, 1, 794));
        QCOMPARE(twips(-8), -1);
        // Verdana where it is installed, else its stand-in, never some other face.
        installFontSubstitutions();
        const QFontInfo used(verdana(9.75));
        QVERIFY2(used.family() == QStringLiteral("Verdana")
                || used.family() == QStringLiteral("DejaVu Sans"),
            qPrintable(used.family()));
    }

    // The real modal box, answered by a click as a user would: texts from outside are plain.
    void realMessageBox()
    {
        const QString text = QStringLiteral("Cannot write <b>x</b>");
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
        QCOMPARE(title, QStringLiteral("Pellomar"));
    }

    void read_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error"); // empty: read whole
        QTest::newRow("bytes of every value") << QStringLiteral("file") << QString();
        QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("does not exist");
        QTest::newRow("folder") << QStringLiteral("folder")
                                << QStringLiteral("is a folder, not a file");
        QTest::newRow("over the limit")
            << QStringLiteral("large") << QStringLiteral("is too large (101 bytes)");
    }
    void read()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        const QString path = fresh(QStringLiteral("read.bin"));
        const QByteArray bytes("\0\x80\xff\r\n", 5);
        if (kind == QStringLiteral("file"))
            QVERIFY(putFile(path, bytes));
        else if (kind == QStringLiteral("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QStringLiteral("large"))
            QVERIFY(putFile(path, QByteArray(101, 'x')));
        const FileRead read = readWholeFile(path, 100);
        QCOMPARE(read.ok(), error.isEmpty());
        QCOMPARE(read.missing, kind == QStringLiteral("missing"));
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
        const QString path = fresh(QStringLiteral("tmp.txt"));
        const QByteArray old = "old, and longer than the new";
        QVERIFY(putFile(path, old));
        const QString target = fault == QStringLiteral("missing folder")
            ? m_dir.filePath(QStringLiteral("no/such/folder/tmp.txt"))
            : path;
        std::optional<FileSizeLimit> limit;
        if (fault == QStringLiteral("full disk"))
            QVERIFY(limit.emplace(16).active());
        const QString error
            = writeFileAtomically(target, fault.isEmpty() ? "new" : QByteArray(4096, 'n'), owner);
        limit.reset();
        if (fault.isEmpty()) {
            QCOMPARE(error, QString());
            QCOMPARE(fileBytes(path), QByteArray("new"));
        } else {
            QVERIFY2(error.startsWith(
                         QStringLiteral("Cannot write ") + QDir::toNativeSeparators(target)),
                qPrintable(error));
            QCOMPARE(fileBytes(path), old);
        }
        // Nothing half-made is left beside it.
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files | QDir::System | QDir::Hidden),
            QStringList { QStringLiteral("tmp.txt") });
    }

    // The user's file is written where the link points; the program's own file replaces the link
    // and leaves the file it pointed to alone, and replaces a FIFO (which a plain open would wait
    // on for ever) like any file.
    void whatStandsInTheWay()
    {
        const QString elsewhere = fresh(QStringLiteral("elsewhere.txt"));
        const QString link = m_dir.filePath(QStringLiteral("img.dat"));
        const QString saved = m_dir.filePath(QStringLiteral("saved.txt"));
        QVERIFY(putFile(elsewhere, "not the program's"));
        QVERIFY(QFile::link(elsewhere, link) && QFile::link(elsewhere, saved));
        QCOMPARE(writeFileAtomically(link, "picture", FileOwner::Program), QString());
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(fileBytes(link), QByteArray("picture"));
        QCOMPARE(fileBytes(elsewhere), QByteArray("not the program's"));
        QCOMPARE(writeFileAtomically(saved, "hotspot", FileOwner::User), QString());
        QVERIFY(QFileInfo(saved).isSymLink());
        QCOMPARE(fileBytes(elsewhere), QByteArray("hotspot"));
        const QString fifo = fresh(QStringLiteral("tmp.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(writeFileAtomically(fifo, "results", FileOwner::Program), QString());
        QCOMPARE(fileBytes(fifo), QByteArray("results"));
    }

    // A replace made ready ahead changes nothing until it is committed, then replaces whatever
    // the file holds by that time, once.
    void pendingReplace()
    {
        const QString path = fresh(QStringLiteral("tmp.txt"));
        QVERIFY(putFile(path, "old result"));
        {
            PendingReplace dropped(path);
        }
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files),
            QStringList { QStringLiteral("tmp.txt") });
        PendingReplace replace(path);
        QVERIFY(putFile(path, "written meanwhile"));
        QCOMPARE(replace.commit("new result"), QString());
        QVERIFY(!replace.commit("again").isEmpty());
        QCOMPARE(fileBytes(path), QByteArray("new result"));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
