#include "platform/app_context.h"
#include "platform/browser.h"
#include "platform/display_text.h"
#include "platform/look.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace pellomar;

// The small adapters between the rules and Qt: the server address, the browser, text from
// outside, twips, fonts and the real message box.
class TestAdapters : public QObject {
    Q_OBJECT

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
};

QTEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
