#include "common/harness.h"
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

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

// Every field set; the operator holds a byte that is no UTF-8, which saving keeps as it is.
const std::string Lumen = recordOf(
    { { 1, " Caf\xC3\xA9 Lumen " }, { 2, "free (with registration)" }, { 3, "Lumen Netw\xF6rks" },
        { 4, "www.lumen.example" }, { 5, "0" }, { 6, "info@lumen.example" }, { 7, "Cafe" },
        { 8, "12 Main Street" }, { 9, "10115" }, { 10, "Berlin" }, { 11, "de" }, { 12, "52.52" },
        { 14, "3" }, { 15, "LumenFree" }, { 16, "Open 7-22" } });
const QByteArray LumenText
    = "Location Name: Caf\xC3\xA9 Lumen\r\nType: Free (with Registration)\r\n"
      "Location Type: Cafe\r\n\r\nOperator: Lumen Netw\xF6rks\r\n"
      "Website URL: http://www.lumen.example\r\nPhone Number: -\r\n"
      "Email Address: info@lumen.example\r\n\r\nAddress: 12 Main Street\r\n"
      "City: Berlin\r\nZIP: 10115\r\nCountry: GERMANY\r\n\r\n"
      "Technology: 802.11G\r\nSSid Info: LumenFree\r\n\r\nLatitude:52.52\r\n"
      "Longitude: -\r\n\r\nNotes: Open 7-22\r\n\r\n";

// A picture's reply, whole, then the connection's end.
Script served(const QByteArray &picture, Ending ending = Ending::Close)
{
    return Script::reply("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n" + picture, ending);
}

QLabel *label(const QWidget *window, const QString &name)
{
    return window->findChild<QLabel *>(name);
}

bool downloadEnds(frmInfo *window, bool withPicture)
{
    QSignalSpy ended(window, &frmInfo::imageDownloadEnded);
    return ended.wait(10000) && ended.first().first().toBool() == withPicture;
}

} // namespace

class TestDetails : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordedBoxes> m_boxes;
    std::unique_ptr<ScriptedServer> m_server;
    AppContext m_context;
    QString m_saveAs;
    QStringList m_opened;

    frmInfo *open(const std::string &record, bool show = true)
    {
        static const ReferenceTable countries = shippedCountries();
        auto *window = new frmInfo(m_context, record,
            [](std::string_view code) { return countries.nameForCode(code).value_or(""); });
        if (show)
            window->show();
        return window;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<RecordedBoxes>();
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_dir->isValid() && m_server->listen());
        m_context = { m_server->address(), m_dir->path(), {} };
        m_opened.clear();
        SaveDialog::setResponder([this](const SaveDialog::Request &request) {
            return request.filter == u"Text Files (*.txt)"_s ? m_saveAs : QString();
        });
        setBrowserOpener([this](const QString &address) { m_opened << address; });
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmInfo *>(window) || qobject_cast<frmImage *>(window))
                delete window;
        }
        SaveDialog::setResponder({});
        setBrowserOpener({});
        m_server.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    // Field k of a record -> the label that shows it, tidied; a click on a link hands only a
    // web address to the browser: the web site shown, or the map of the position.
    void tidying_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("opened"); // by a click; null: not clicked
        const auto row = [](const char *name, int field, const char *raw, const char *label,
                             const char *shown, const char *opened = nullptr) {
            QTest::newRow(name) << field << QByteArray(raw) << QString::fromLatin1(label)
                                << QString::fromUtf8(shown) << QString::fromLatin1(opened);
        };
        row("name trimmed, not markup", 1, " a &amp; b> ", "lblName", "a &amp; b");
        row("type", 2, "free (with registration)", "lblType", "Free (with Registration)");
        row("type: in words, every time", 2, "regfreecomm commercial FREE", "lblType",
            "RegFreeComm Commercial FREE");
        row("operator 0 stays", 3, "0", "lblOperator", "0");
        row("web site www.", 4, " www.x.example", "lblURL", "http://www.x.example",
            "http://www.x.example");
        row("web site https", 4, "https://x.example/a?b", "lblURL", "https://x.example/a?b",
            "https://x.example/a?b");
        row("web site WWW.", 4, "WWW.X.EXAMPLE", "lblURL", "WWW.X.EXAMPLE", "");
        for (const char *refused :
            { "file:///etc/passwd", "javascript:alert(1)", "calc.exe", "http://x.example/\" -e" })
            row(refused, 4, refused, "lblURL", refused, "");
        row("phone 0", 5, "0", "lblPhone", "-");
        row("phone 00 stays", 5, "00", "lblPhone", "00");
        row("email", 6, "a@b.example", "lblEmail", "a@b.example");
        row("location type", 7, "Caf\xC3\xA9", "lblLocType", "Caf\xC3\xA9");
        row("address", 8, "12 Main Street", "lblAddress", "12 Main Street");
        row("ZIP empty", 9, "", "lblZIP", "-");
        row("ZIP 0 with spaces", 9, " 0 ", "lblZIP", "-");
        row("city", 10, "freeport", "lblCity", "freeport");
        row("country by name", 11, " de ", "lblCountry", "GERMANY");
        row("country beyond ASCII", 11, "AX", "lblCountry", "\xC3\x85LAND ISLANDS");
        row("country unknown", 11, "ZZ", "lblCountry", "");
        row("latitude empty", 12, "  ", "lblLatitude", "-");
        row("latitude 0 stays", 12, "0", "lblLatitude", "0");
        row("map of the position", 12, "-33.8688", "mapLink", "Show on map",
            "https://www.openstreetmap.org/?mlat=-33.8688&mlon=151.2093#map=17/-33.8688/151.2093");
        row("no map beyond 90", 12, "95", "mapLink", "Show on map", "");
        row("longitude empty", 13, "", "lblLongitude", "-");
        row("technology 1", 14, "1", "lblTechnology", "802.11B");
        row("technology 2", 14, " 2 ", "lblTechnology", "802.11B/G");
        row("technology 3", 14, "3", "lblTechnology", "802.11G");
        row("technology 4 stays", 14, "4", "lblTechnology", "4");
        row("SSid", 15, "LumenFree", "lblSSInfo", "LumenFree");
        row("description -", 16, "-", "lblInfo", "");
        row("description 0", 16, " 0 ", "lblInfo", "");
        row("description", 16, "a &lt; b", "lblInfo", "a &lt; b");
    }

    void tidying()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, raw);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        QFETCH(QString, opened);
        const std::unique_ptr<frmInfo> window(
            open(recordOf({ { 13, "151.2093" }, { field, raw.toStdString() } }), false));
        QLabel *shownIn = ::label(window.get(), label);
        QCOMPARE(shownIn->text(), shown);
        QCOMPARE(window->windowTitle(), ::label(window.get(), u"lblName"_s)->text());
        QCOMPARE(labelsReadingMarkup(window.get()), QStringList());
        QVERIFY(!window->isDownloading());
        if (opened.isNull())
            return;
        // The whole address, as it stands, on hovering; the map link only for a position.
        QCOMPARE(shownToolTip(shownIn->toolTip()), label == u"lblURL"_s ? shown : opened);
        QCOMPARE(shownIn->isHidden(), label == u"mapLink"_s && opened.isEmpty());
        QTest::mouseClick(shownIn, Qt::LeftButton);
        QCOMPARE(m_opened, opened.isEmpty() ? QStringList() : QStringList { opened });
    }

    void saving_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("name"); // as chosen in the dialog, in the test's folder
        QTest::addColumn<QByteArray>("existing"); // "/": a folder of that name
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QByteArray>("after"); // the file afterwards; null: not there
        QTest::addColumn<QStringList>("boxes"); // "%1": the file's full path
        const auto row = [](const char *name, const std::string &record, const char *file,
                             const QByteArray &existing, bool yes, bool fullDisk,
                             const QByteArray &after, const QStringList &boxes) {
            QTest::newRow(name) << QByteArray::fromStdString(record) << QString::fromLatin1(file)
                                << existing << yes << fullDisk << after << boxes;
        };
        const QString ask
            = u"stop Pellomar: File exists... would you like to overwrite? [Yes/No]"_s;
        const QString saved = u"info Saved: Hotspot Information Saved!\r\n\r\n%1"_s;
        const QString failed = u"stop Pellomar: Cannot write %1: "_s;
        const QByteArray old = "an older hotspot, longer than any part the new text could leave";
        row("new file", Lumen, "a.txt", {}, true, false, LumenText, { saved });
        row("empty record: 21 lines", {}, "a.txt", {}, true, false,
            "Location Name: \r\nType: \r\nLocation Type: \r\n\r\nOperator: \r\nWebsite URL: \r\n"
            "Phone Number: -\r\nEmail Address: \r\n\r\nAddress: \r\nCity: \r\nZIP: -\r\n"
            "Country: \r\n\r\nTechnology: \r\nSSid Info: \r\n\r\nLatitude:-\r\nLongitude: -\r\n"
            "\r\nNotes: \r\n\r\n",
            { saved });
        row("no extension added", Lumen, "a", {}, true, false, LumenText, { saved });
        row("overwrite: Yes", Lumen, "a.txt", old, true, false, LumenText, { ask, saved });
        row("overwrite: No", Lumen, "a.txt", old, false, false, old, { ask });
        row("cancelled", Lumen, "", {}, true, false, {}, {});
        row("only spaces", Lumen, "  ", {}, true, false, {}, {});
        row("a folder of that name", Lumen, "a.txt", "/", true, false, {}, { failed });
        row("full disk", Lumen, "a.txt", old, true, true, old, { ask, failed });
        row("missing folder", Lumen, "missing/a.txt", {}, true, false, {}, { failed });
    }

    void saving()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(bool, yes);
        QFETCH(bool, fullDisk);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, boxes);
        m_saveAs = name.trimmed().isEmpty() ? name : m_dir->filePath(name);
        QVERIFY(existing.isNull()
            || (existing == "/" ? QDir().mkdir(m_saveAs) : putFile(m_saveAs, existing)));
        m_boxes->answer = yes ? QMessageBox::Yes : QMessageBox::No;
        frmInfo *window = open(record.toStdString());
        {
            std::optional<FileSizeLimit> limit;
            if (fullDisk)
                limit.emplace(64);
            QTest::mouseClick(window->findChild<QPushButton *>(u"SaveHotspot"_s), Qt::LeftButton);
        }
        // Each box as a user reads it: icon, title, text and buttons.
        QCOMPARE(m_boxes->boxes.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const MessageBox::Request &box = m_boxes->boxes[i];
            const QString seen = (box.icon == QMessageBox::Critical ? u"stop "_s : u"info "_s)
                + box.title + u": "_s + box.text
                + (box.buttons == (QMessageBox::Yes | QMessageBox::No) ? u" [Yes/No]"_s
                                                                       : QString());
            QVERIFY2(
                seen.startsWith(QString(boxes[i]).replace(u"%1"_s, m_saveAs)), qPrintable(seen));
        }
        QCOMPARE(QFileInfo(m_saveAs).isFile() ? fileBytes(m_saveAs) : QByteArray(), after);
        QCOMPARE(QFileInfo(m_saveAs).isDir(), existing == "/");
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
        QTest::addColumn<QByteArray>("body"); // what "img.dat" holds then, before its CR LF
        // 1: nothing listens, 2: the window closes meanwhile, 3: "img.dat" cannot be written
        QTest::addColumn<int>("fault");
        const auto row = [](const char *name, const QByteArray &field, const Script &script,
                             const QByteArray &path, QSize shown = {}, const QByteArray &body = {},
                             int fault = 0) {
            QTest::newRow(name) << field << script << path << shown << body << fault;
        };
        const auto none = [&row](const char *name, const Script &script, int fault = 0) {
            row(name, "i/x.gif", script, fault == 1 ? QByteArray() : "/i/x.gif", {}, {}, fault);
        };
        const QByteArray jpeg = jpegBytes(120, 80);
        const QByteArray gif = gifBytes(33, 21);
        const QByteArray tail = gifBytes(4, 4) + "\r\n\r\nmore\r\n\r\n";
        const QByteArray a2048(2048, 'a');
        row("JPEG in pieces", "i/x.jpg", Script::inPieces("HTTP/1.0 200 OK\r\n\r\n" + jpeg, 97, 3),
            "/i/x.jpg", { 120, 80 }, jpeg);
        row("GIF, 6 characters", "ab.gif", served(gif), "/ab.gif", { 33, 21 }, gif);
        row("only the first CR LF CR LF cuts", "t.gif,", served(tail), "/t.gif", { 4, 4 }, tail);
        row("commas out, the rest encoded",
            "p/a,b c\r\n\"#%zz%41\x7f\xc3\xa9{|}\\^`:@!$&'()*+;=~-._?x=1", served(gif),
            "/p/ab%20c%0D%0A%22%23%25zz%41%7F%C3%A9%7B%7C%7D%5C%5E%60:@!$&'()*+;=~-._?x=1",
            { 33, 21 }, gif);
        // Shown from the bytes received, not from the shared "img.dat".
        row("img.dat cannot be written", "ab.gif", served(gif), "/ab.gif", { 33, 21 }, {}, 3);
        row("longest side allowed", "i/x.gif", served(gifBytes(16384, 1)), "/i/x.gif", { 16384, 1 },
            gifBytes(16384, 1));
        row("path of 2,048 bytes", a2048, served({}), "/" + a2048);
        row("path of 2,049 bytes", a2048 + 'a', {}, {});
        row("5 characters", "a.jpg", {}, {});
        none("404 page", Script::reply(Script::httpReply("<p>no</p>", "404 Not Found")));
        none("not a picture", served("Sorry."));
        none("no CR LF CR LF", Script::reply(gif));
        none("size claim", served(gifBytes(30000, 30000, 4)));
        none("one side too long", served(gifBytes(16385, 1, 2)));
        none("too many pixels", served(gifBytes(5000, 5000, 2)));
        none("cut GIF", served(gif.left(13)));
        none("silence", served({}, Ending::StayOpen));
        none("trickle", Script::inPieces("HTTP/1.0 200 OK\r\n\r\n" + jpeg, 1, 100));
        none("reset", served(jpeg.left(900), Ending::Reset));
        none("refused", {}, 1);
        none("window closed", served({}, Ending::StayOpen), 2);
    }

    void download()
    {
        QFETCH(QByteArray, field);
        QFETCH(Script, script);
        QFETCH(QByteArray, path);
        QFETCH(QSize, shown);
        QFETCH(QByteArray, body);
        QFETCH(int, fault);
        m_server->enqueue(script);
        if (fault == 1)
            m_context.server.port = ScriptedServer::unusedPort();
        // "img.dat" is the program's own: a link in its place is replaced, never written through.
        const QString elsewhere = m_dir->filePath(u"elsewhere"_s);
        QVERIFY(putFile(elsewhere, "older")
            && (fault == 3 ? QDir().mkdir(m_context.imageFilePath())
                           : QFile::link(elsewhere, m_context.imageFilePath())));
        QPointer<frmInfo> window = open(recordOf({ { 17, field.toStdString() } }), false);
        window->findChild<Connection *>(u"Sock"_s)->setIdleTimeout(500);
        window->findChild<Connection *>(u"Sock"_s)->setOverallTimeout(1500);
        QSignalSpy ended(window.data(), &frmInfo::imageDownloadEnded);
        window->show();
        if (fault == 2) {
            QVERIFY(m_server->waitForConnections(1));
            QTRY_VERIFY(window->isDownloading());
            window->close();
            QTRY_VERIFY(window.isNull());
        } else {
            QCOMPARE(ended.wait(path.isNull() && !fault ? 100 : 5000), !path.isNull() || fault);
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
            fault == 3            ? QByteArray()
                : shown.isValid() ? body + "\r\n"
                                  : "older");
        if (!window)
            return;
        QVERIFY(!window->isDownloading() && label(window, u"Label3"_s)->isVisible());
        QCOMPARE(pictureSize(window), shown);
        // Stretched into its box and decoded at that size; the whole picture only for the image
        // window, and none before a picture has come.
        QLabel *thumbnail = label(window, u"Image1"_s);
        QCOMPARE(thumbnail->pixmap().deviceIndependentSize().toSize(),
            shown.isValid() ? thumbnail->size() : QSize(0, 0));
        QTest::mouseClick(thumbnail, Qt::LeftButton);
        QCOMPARE(frmImage::instance() ? label(frmImage::instance(), u"Image1"_s)->pixmap().size()
                                      : QSize(),
            shown);
    }

    // A picture of 24 million pixels takes 96 MB decoded; a detail window keeps its thumbnail
    // and the bytes received, and the image window decodes it in full when asked.
    void windowsKeepNoFullPicture()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer keeps freed memory in quarantine");
#endif
        m_server->setDefaultScript(served(jpegBytes(6000, 4000)));
        const qint64 before = residentKiB();
        QList<frmInfo *> windows;
        for (int i = 0; i < 5; ++i) {
            windows << open(recordOf({ { 17, "images/huge.jpg" } }));
            QVERIFY(downloadEnds(windows.last(), true));
        }
        const qint64 grown = residentKiB() - before;
        QVERIFY2(grown < 48 * 1024, qPrintable(u"%1 KiB for 5 windows"_s.arg(grown)));
        QTest::mouseClick(label(windows.first(), u"Image1"_s), Qt::LeftButton);
        QCOMPARE(label(frmImage::instance(), u"Image1"_s)->pixmap().size(), QSize(6000, 4000));
    }

    // A download that failed is tried again when the window becomes active again, and only
    // then; every thumbnail opens the one image window, sized to its picture.
    void retryAndOneImageWindow()
    {
        m_server->enqueue(Script::reply(Script::httpReply("gone", "404 Not Found")));
        m_server->enqueue(served(jpegBytes(160, 90)));
        m_server->setDefaultScript(served(gifBytes(50, 120)));
        frmInfo *first = open(recordOf({ { 17, "images/first.jpg" } }));
        QVERIFY(downloadEnds(first, false));
        QWidget other;
        other.show();
        for (int round = 0; round < 2; ++round) {
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
            first->activateWindow();
            QTRY_VERIFY(first->isActiveWindow());
            QTRY_COMPARE(pictureSize(first), QSize(160, 90));
        }
        QVERIFY(!first->isDownloading());
        QCOMPARE(m_server->connectionCount(), 2);
        frmInfo *second = open(recordOf({ { 17, "images/second.gif" } }));
        QVERIFY(downloadEnds(second, true));
        QPointer<frmImage> viewer;
        for (const auto &[window, size] : { std::pair { first, QSize(160, 90) },
                 std::pair { second, QSize(50, 120) }, std::pair { first, QSize(160, 90) } }) {
            QTest::mouseClick(label(window, u"Image1"_s), Qt::LeftButton);
            QCOMPARE(frmImage::instance()->size(), size);
            // One window, reused; closed, it is made afresh.
            QVERIFY(!viewer || viewer == frmImage::instance());
            viewer = frmImage::instance();
            if (window == second) {
                viewer->close();
                QTRY_VERIFY(viewer.isNull());
            }
        }
    }
};

QTEST_MAIN(TestDetails)
#include "tst_details.moc"
