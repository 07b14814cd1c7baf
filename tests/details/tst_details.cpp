// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"
#include "common/plain_text.h"
#include "common/resident_memory.h"
#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/test_pictures.h"
#include "platform/browser.h"
#include "platform/save_dialog.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

// Every field set; the operator holds a byte that is no UTF-8, which saving keeps as it is.
const std::string Lumen = recordOf(
    { { 1, " Caf\xC3\xA9 Lumen " }, { 2, "free (with registration)" }, { 3, "Lumen Netw\xF6rks" },
        { 4, "www.lumen.example" }, { 5, "0" }, { 6, "info@lumen.example" }, { 7, "Cafe" },
        { 8, "12 Main Street" }, { 9, "10115" }, { 10, "Berlin" }, { 11, "de" }, { 12, "52.52" },
        { 13, "13.405" }, { 14, "3" }, { 15, "LumenFree" }, { 16, "Open 7-22" } });
const QByteArray LumenText
    = "Location Name: Caf\xC3\xA9 Lumen\r\nType: Free (with Registration)\r\n"
      "Location Type: Cafe\r\n\r\nOperator: Lumen Netw\xF6rks\r\n"
      "Website URL: http://www.lumen.example\r\nPhone Number: -\r\n"
      "Email Address: info@lumen.example\r\n\r\nAddress: 12 Main Street\r\n"
      "City: Berlin\r\nZIP: 10115\r\nCountry: GERMANY\r\n\r\n"
      "Technology: 802.11G\r\nSSid Info: LumenFree\r\n\r\nLatitude:52.52\r\n"
      "Longitude: 13.405\r\n\r\nNotes: Open 7-22\r\n\r\n";
// The value labels, in the order of the saved file's fields.
const char *const Values[] = { "lblName", "lblType", "lblLocType", "lblOperator", "lblURL",
    "lblPhone", "lblEmail", "lblAddress", "lblCity", "lblZIP", "lblCountry", "lblTechnology",
    "lblSSInfo", "lblLatitude", "lblLongitude", "lblInfo" };

// A picture's reply, whole, then the connection's end.
Script served(const QByteArray &picture, Ending ending = Ending::Close)
{
    return Script::reply("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n" + picture, ending);
}

QLabel *label(const QWidget *window, const QString &name)
{
    return window->findChild<QLabel *>(name);
}

} // namespace

class TestDetails : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordedBoxes m_boxes;
    std::unique_ptr<ScriptedServer> m_server;
    AppContext m_context;
    QString m_saveAs;
    QStringList m_opened;

    // Shown: its download starts when events next run.
    frmInfo *open(const std::string &record)
    {
        static const ReferenceTable countries = shippedCountries();
        auto *window = new frmInfo(m_context, record,
            [](std::string_view code) { return countries.nameForCode(code).value_or(""); });
        window->show();
        return window;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes.boxes.clear();
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_dir->isValid() && m_server->listen());
        m_context = { m_server->address(), m_dir->path(), {}, {} };
        m_opened.clear();
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmInfo *>(window) || qobject_cast<frmImage *>(window))
                delete window;
        }
    }

    // A record -> the value labels' texts, tidied, as plain text; a click on the web site and on
    // the map link hands only a web address to the browser.
    void tidying_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("shown"); // the labels of Values, joined by '|'
        QTest::addColumn<QStringList>("opened");
        const auto row = [](const char *name, const std::string &record, const char *shown,
                             const QStringList &opened) {
            QTest::newRow(name) << QByteArray::fromStdString(record) << QString::fromUtf8(shown)
                                << opened;
        };
        row("every field", Lumen,
            "Caf\u00E9 Lumen|Free (with Registration)|Cafe|Lumen Netw\u00F6rks|"
            "http://www.lumen.example|-|info@lumen.example|12 Main Street|Berlin|10115|GERMANY|"
            "802.11G|LumenFree|52.52|13.405|Open 7-22",
            { u"http://www.lumen.example"_s,
                u"https://www.openstreetmap.org/?mlat=52.52&mlon=13.405#map=17/52.52/13.405"_s });
        row("none but an unknown technology", recordOf({ { 14, "4" } }), "|||||-||||-||4||-|-|",
            {});
        row("markup, words, zeros, a far country",
            recordOf({ { 1, " a &amp; [*] b> " }, { 2, "regfreecomm commercial FREE" }, { 3, "0" },
                { 4, "javascript:alert(1)" }, { 5, "00" }, { 9, " 0 " }, { 11, "AX" },
                { 12, "-33.8688" }, { 13, "151.2093" }, { 14, " 2 " }, { 16, "-" } }),
            "a &amp; [*] b|RegFreeComm Commercial FREE||0|javascript:alert(1)|00||||-|"
            "\u00C5LAND ISLANDS|802.11B/G||-33.8688|151.2093|",
            { u"https://www.openstreetmap.org/?mlat=-33.8688&mlon=151.2093#map=17/-33.8688/151.2093"_s });
        row("capitals, no map beyond 90",
            recordOf({ { 4, "WWW.X.EXAMPLE" }, { 11, "ZZ" }, { 12, "95" }, { 13, "0" }, { 14, "1" },
                { 16, " 0 " } }),
            "||||WWW.X.EXAMPLE|-||||-||802.11B||95|0|", {});
    }

    void tidying()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, shown);
        QFETCH(QStringList, opened);
        setBrowserOpener([this](const QString &address) { m_opened << address; });
        const std::unique_ptr<frmInfo> window(open(record.toStdString()));
        QStringList texts, captions;
        for (const char *name : Values) {
            texts << label(window.get(), QString::fromLatin1(name))->text();
            captions << label(window.get(), QString::fromLatin1(name))->accessibleDescription();
        }
        QCOMPARE(texts.join(u'|'), shown);
        // Each value is read out with the caption it stands beside.
        QCOMPARE(captions.join(u'|'),
            u"Location Name|Type|Location Type|Operator|Website URL|Phone Number|Email Address|"
            "Address|City|ZIP|Country|Technology|SSid Info|Latitude|Longitude|"
            "Location description :"_s);
        // As the title bar shows it: "[*]" is no modified-marker here.
        QCOMPARE(window->windowHandle()->title(), texts.first());
        QCOMPARE(labelsReadingMarkup(window.get()), QStringList());
        // The map link only for a position.
        QLabel *map = label(window.get(), u"mapLink"_s);
        QCOMPARE(map->isHidden(), opened.filter(u"openstreetmap"_s).isEmpty());
        QTest::mouseClick(label(window.get(), u"lblURL"_s), Qt::LeftButton);
        QTest::mouseClick(map, Qt::LeftButton);
        QCOMPARE(m_opened, opened);
    }

    // Saving Lumen: the file byte for byte, the question before an overwrite, and a failure
    // that leaves the older file as it was.
    void saving_data()
    {
        QTest::addColumn<QString>("name"); // as chosen in the dialog, in the test's folder
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QString>("answer"); // to the question; "full": Yes, on a full disk
        QTest::addColumn<QByteArray>("after"); // the file afterwards; null: not there
        QTest::addColumn<QStringList>("boxes"); // "%1": the file's full path
        const QString ask
            = u"stop Pellomar: File exists... would you like to overwrite? [Yes/No]"_s;
        const QString saved = u"info Saved: Hotspot Information Saved!\r\n\r\n%1"_s;
        const QString failed = u"stop Pellomar: Cannot write %1: "_s;
        const QByteArray old = "an older hotspot, longer than any part the new text could leave";
        QTest::newRow("new file") << u"a.txt"_s << QByteArray() << u"Yes"_s << LumenText
                                  << QStringList { saved };
        QTest::newRow("overwrite: Yes")
            << u"a.txt"_s << old << u"Yes"_s << LumenText << QStringList { ask, saved };
        QTest::newRow("overwrite: No")
            << u"a.txt"_s << old << u"No"_s << old << QStringList { ask };
        QTest::newRow("full disk")
            << u"a.txt"_s << old << u"full"_s << old << QStringList { ask, failed };
    }

    void saving()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(QString, answer);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, boxes);
        SaveDialog::setResponder([this](const SaveDialog::Request &request) {
            return request.filter == u"Text Files (*.txt)"_s ? m_saveAs : QString();
        });
        m_saveAs = name.isEmpty() ? name : m_dir->filePath(name);
        QVERIFY(existing.isNull() || putFile(m_saveAs, existing));
        m_boxes.answer = answer == u"No" ? QMessageBox::No : QMessageBox::Yes;
        frmInfo *window = open(Lumen);
        {
            std::optional<FileSizeLimit> limit;
            if (answer == u"full")
                limit.emplace(64);
            QTest::mouseClick(window->findChild<QPushButton *>(u"SaveHotspot"_s), Qt::LeftButton);
        }
        // Each box as a user reads it: icon, title, text and buttons.
        QCOMPARE(m_boxes.boxes.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const MessageBox::Request &box = m_boxes.boxes[i];
            const QString seen = (box.icon == QMessageBox::Critical ? u"stop "_s : u"info "_s)
                + box.title + u": "_s + box.text
                + (box.buttons == (QMessageBox::Yes | QMessageBox::No) ? u" [Yes/No]"_s : u""_s);
            QVERIFY2(
                seen.startsWith(QString(boxes[i]).replace(u"%1"_s, m_saveAs)), qPrintable(seen));
        }
        QCOMPARE(QFileInfo(m_saveAs).isFile() ? fileBytes(m_saveAs) : QByteArray(), after);
        // Nothing is left beside it: no temporary file, no other name.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
            after.isNull() ? QStringList() : QStringList { QFileInfo(m_saveAs).fileName() });
    }

    void download_data()
    {
        QTest::addColumn<QByteArray>("field"); // the record's image field
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("path"); // the path requested; null: no request
        QTest::addColumn<QSize>("shown"); // the picture's own size; invalid: none shown
        // What "img.dat" holds then, before its CR LF; "/": it is a folder; "-": the window closes
        // while the download runs.
        QTest::addColumn<QByteArray>("body");
        const auto row
            = [](const char *name, const QByteArray &field, const Script &script,
                  const QByteArray &path, QSize shown = {}, const QByteArray &body = {}) {
                  QTest::newRow(name) << field << script << path << shown << body;
              };
        const QByteArray gif = gifBytes(33, 21);
        const QByteArray tail = gifBytes(4, 4) + "\r\n\r\nmore\r\n\r\n";
        const QByteArray a2048(2048, 'a');
        row("only the first CR LF CR LF cuts", "t.gif,", served(tail), "/t.gif", { 4, 4 }, tail);
        row("commas out, the rest encoded",
            "p/a,b c\r\n\"#%zz%41\x7f\xc3\xa9{|}\\^`:@!$&'()*+;=~-._?x=1", served(gif),
            "/p/ab%20c%0D%0A%22%23%25zz%41%7F%C3%A9%7B%7C%7D%5C%5E%60:@!$&'()*+;=~-._?x=1",
            { 33, 21 }, gif);
        // 6 characters; shown from the bytes received, not from the shared "img.dat" (a folder).
        row("img.dat cannot be written", "ab.gif", served(gif), "/ab.gif", { 33, 21 }, "/");
        row("longest side allowed", "i/x.gif", served(gifBytes(16384, 1)), "/i/x.gif", { 16384, 1 },
            gifBytes(16384, 1));
        row("path of 2,048 bytes", a2048, served({}), "/" + a2048);
        row("path of 2,049 bytes", a2048 + 'a', {}, {});
        row("5 characters", "a.jpg", {}, {});
        row("not a picture", "i/x.gif", served("Sorry."), "/i/x.gif");
        row("no CR LF CR LF", "i/x.gif", Script::reply(gif), "/i/x.gif");
        row("a picture sent as an error page", "i/x.gif",
            Script::reply("HTTP/1.0 404 Not Found\r\n\r\n" + gif), "/i/x.gif");
        row("one side too long", "i/x.gif", served(gifBytes(16385, 1, 2)), "/i/x.gif");
        row("too many pixels", "i/x.gif", served(gifBytes(5000, 5000, 2)), "/i/x.gif");
        // Icons, bitmaps and the like are no directory's pictures; an icon claims 16 pixels.
        row("an icon", "i/x.ico", served(icoHolding(imageBytes(3000, 3000, "PNG"), 16)),
            "/i/x.ico");
        row("a bitmap", "i/x.bmp", served(imageBytes(33, 21, "BMP")), "/i/x.bmp");
        row("window closed meanwhile", "i/x.gif", served({}, Ending::StayOpen), "/i/x.gif", {},
            "-");
    }

    void download()
    {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, path);
        QFETCH(QSize, shown);
        QFETCH(Script, script);
        QFETCH(QByteArray, body);
        m_server->enqueue(script);
        // "img.dat" is the program's own: a link in its place is replaced, never written through.
        const QString elsewhere = m_dir->filePath(u"elsewhere"_s);
        QVERIFY(putFile(elsewhere, "older")
            && (body == "/" ? QDir().mkdir(m_context.imageFilePath())
                            : QFile::link(elsewhere, m_context.imageFilePath())));
        QPointer<frmInfo> window = open(recordOf({ { 17, field.toStdString() } }));
        QSignalSpy ended(window.data(), &frmInfo::imageDownloadEnded);
        if (body == "-") {
            QVERIFY(m_server->waitForConnections(1));
            QTRY_VERIFY(window->isDownloading());
            window->close();
            QTRY_VERIFY(window.isNull());
        } else {
            QCOMPARE(ended.wait(path.isNull() ? 100 : 5000), !path.isNull());
            QCOMPARE(ended.value(0).value(0).toBool(), shown.isValid());
        }
        QCOMPARE(m_server->connectionCount(), path.isNull() ? 0 : 1);
        if (!path.isNull()) {
            QCOMPARE(m_server->request(0),
                "GET " + path + " HTTP/1.0\r\nHost: " + m_context.server.hostHeader().toLatin1()
                    + "\r\n\r\n");
        }
        QCOMPARE(fileBytes(elsewhere), QByteArray("older"));
        QCOMPARE(fileBytes(m_context.imageFilePath()),
            body == "/" ? QByteArray() : (shown.isValid() ? body + "\r\n" : "older"));
        if (!window)
            return;
        QVERIFY(!window->isDownloading() && label(window, u"Label3"_s)->isVisible());
        QCOMPARE(pictureSize(window), shown);
        // Stretched into its box and decoded at that size; none before a picture has come.
        QLabel *thumbnail = label(window, u"Image1"_s);
        QCOMPARE(thumbnail->pixmap().deviceIndependentSize().toSize(),
            shown.isValid() ? thumbnail->size() : QSize(0, 0));
    }

    // A picture of 24 million pixels takes 96 MB decoded; a detail window keeps its thumbnail
    // and the bytes received, and the image window decodes it in full when asked.
    void windowKeepsNoFullPicture()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer keeps freed memory in quarantine");
#endif
        m_server->setDefaultScript(served(imageBytes(6000, 4000)));
        const qint64 before = residentKiB();
        frmInfo *window = open(recordOf({ { 17, "images/huge.jpg" } }));
        QTRY_VERIFY(!window->pictureBytes().isEmpty());
        const qint64 grown = residentKiB() - before;
        QVERIFY2(grown < 24 * 1024, qPrintable(u"%1 KiB"_s.arg(grown)));
        QTest::mouseClick(label(window, u"Image1"_s), Qt::LeftButton);
        QCOMPARE(label(frmImage::instance(), u"Image1"_s)->pixmap().size(), QSize(6000, 4000));
    }

    // A download that failed is tried again when the window becomes active again, and only
    // then; every thumbnail opens the one image window, sized to its picture.
    void retryAndOneImageWindow()
    {
        m_server->enqueue(Script::reply(Script::httpReply("gone", "404 Not Found")));
        m_server->enqueue(served(imageBytes(160, 90)));
        m_server->setDefaultScript(served(gifBytes(50, 120)));
        frmInfo *first = open(recordOf({ { 17, "images/first.jpg" } }));
        QTRY_VERIFY(!first->isDownloading());
        QWidget other;
        other.show();
        for (int round = 0; round < 2; ++round) {
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
            first->activateWindow();
            QTRY_VERIFY(first->isActiveWindow());
            QTRY_COMPARE(pictureSize(first), QSize(160, 90));
        }
        QCOMPARE(m_server->connectionCount(), 2);
        frmInfo *second = open(recordOf({ { 17, "images/second.gif" } }));
        QTRY_VERIFY(!second->pictureBytes().isEmpty());
        QPointer<frmImage> viewer;
        for (const auto &[window, size] :
            { std::pair { first, QSize(160, 90) }, std::pair { second, QSize(50, 120) } }) {
            QTest::mouseClick(label(window, u"Image1"_s), Qt::LeftButton);
            QCOMPARE(frmImage::instance()->size(), size);
            QVERIFY(!viewer || viewer == frmImage::instance());
            viewer = frmImage::instance();
        }
    }
};

QTEST_MAIN(TestDetails)
#include "tst_details.moc"
