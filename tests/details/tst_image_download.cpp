#include "common/resident_memory.h"
#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/frm_info.h"
#include "details/test_pictures.h"
#include "platform/connection.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace pellomar;
using namespace pellomar::test;

namespace {

std::string recordWithImage(const QByteArray &imagePath, const QByteArray &name = "Cafe Lumen")
{
    QList<QByteArray> fields(17);
    fields[0] = name;
    fields[16] = imagePath;
    return fields.join("<>").toStdString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray imageReply(const QByteArray &picture)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: "
        + QByteArray::number(picture.size()) + "\r\n\r\n" + picture;
}

int imageWindowCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmImage *>(widget) && !widget->isHidden())
            ++count;
    }
    return count;
}

} // namespace

class tst_ImageDownload : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pictureInPieces();
    void gifPicture();
    void onlyTheFirstSeparatorCuts();
    void commasLeaveThePath();
    void notAPicture_data();
    void notAPicture();
    void noPathNoDownload();
    void neverClosingEndsQuietly_data();
    void neverClosingEndsQuietly();
    void windowsKeepNoFullPicture();
    void noConnectionEndsQuietly();
    void brokenConnectionEndsQuietly();
    void closingTheWindowEndsTheDownload();
    void activationRetriesOnlyWithoutAPicture();
    void pictureShownEvenWhenImgDatCannotBeWritten();
    void eachWindowShowsItsOwnPicture();
    void oneImageWindowReused();
    void imageWindowBeforeAnyPicture();

private:
    frmInfo *open(const std::string &record);
    bool waitForEnd(frmInfo *window, bool *pictureShown = nullptr, int timeoutMs = 10000);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedServer> m_server;
    AppContext m_context;
    QList<QPointer<frmInfo>> m_windows;
};

void tst_ImageDownload::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_server = std::make_unique<ScriptedServer>();
    QVERIFY(m_server->listen());
    m_context.dataDir = m_dir->path();
    m_context.server = m_server->address();
    MessageBox::setResponder([](const MessageBox::Request &request) {
        qWarning("unexpected message box: %s", qPrintable(request.text));
        return QMessageBox::Ok;
    });
}

void tst_ImageDownload::cleanup()
{
    for (const QPointer<frmInfo> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    delete frmImage::instance();
    MessageBox::setResponder({});
    m_server.reset();
    m_dir.reset();
}

frmInfo *tst_ImageDownload::open(const std::string &record)
{
    auto *window = new frmInfo(m_context, record, {});
    m_windows.append(window);
    window->show();
    return window;
}

bool tst_ImageDownload::waitForEnd(frmInfo *window, bool *pictureShown, int timeoutMs)
{
    QSignalSpy ended(window, &frmInfo::imageDownloadEnded);
    if (!ended.wait(timeoutMs))
        return false;
    if (pictureShown)
        *pictureShown = ended.first().first().toBool();
    return true;
}

void tst_ImageDownload::pictureInPieces()
{
    const QByteArray jpeg = jpegBytes(120, 80);
    m_server->enqueue(Script::inPieces(imageReply(jpeg), 97, 3));
    // "img.dat" is the program's own: a link in its place is replaced, not written through.
    const QString elsewhere = m_dir->filePath(QStringLiteral("elsewhere"));
    QFile(elsewhere).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(elsewhere, m_context.imageFilePath()));
    frmInfo *window = open(recordWithImage("images/lumen.jpg"));
    bool shown = false;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(shown);
    QCOMPARE(m_server->request(0),
        "GET /images/lumen.jpg HTTP/1.0\r\nHost: " + m_context.server.hostHeader().toLatin1()
            + "\r\n\r\n");
    QCOMPARE(readFile(m_context.imageFilePath()), jpeg + "\r\n");
    QCOMPARE(readFile(elsewhere), QByteArray());
    QCOMPARE(test::pictureSize(window), QSize(120, 80));
    auto *thumbnail = window->findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(!thumbnail->pixmap().isNull());
    // Stretched into the box, whatever the picture's own size.
    QCOMPARE(thumbnail->pixmap().deviceIndependentSize().toSize(), thumbnail->size());
    QVERIFY(!window->isDownloading());
}

void tst_ImageDownload::gifPicture()
{
    const QByteArray gif = gifBytes(33, 21);
    m_server->enqueue(Script::reply(imageReply(gif)));
    frmInfo *window = open(recordWithImage("images/lumen.gif"));
    bool shown = false;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(shown);
    QCOMPARE(test::pictureSize(window), QSize(33, 21));
    const QImage thumbnail
        = window->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().toImage();
    QCOMPARE(thumbnail.pixelColor(thumbnail.rect().center()), QColor(255, 0, 0));
    QCOMPARE(readFile(m_context.imageFilePath()), gif + "\r\n");
}

void tst_ImageDownload::onlyTheFirstSeparatorCuts()
{
    // A GIF ends at its trailer; what follows it is kept in "img.dat" as received.
    const QByteArray body = gifBytes(4, 4) + "\r\n\r\nmore\r\n\r\n";
    m_server->enqueue(Script::reply("HTTP/1.0 200 OK\r\n\r\n" + body));
    frmInfo *window = open(recordWithImage("images/x.gif"));
    bool shown = false;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(shown);
    QCOMPARE(readFile(m_context.imageFilePath()), body + "\r\n");
}

void tst_ImageDownload::commasLeaveThePath()
{
    m_server->enqueue(Script::reply(imageReply(gifBytes(2, 2))));
    frmInfo *window = open(recordWithImage("img/lu,men,,1.gif"));
    QVERIFY(waitForEnd(window));
    QVERIFY(m_server->request(0).startsWith("GET /img/lumen1.gif HTTP/1.0\r\n"));
    // The window's own value keeps them; only the request drops them.
    QCOMPARE(
        QByteArray::fromStdString(window->details().ImageURL), QByteArray("/img/lu,men,,1.gif"));
}

void tst_ImageDownload::notAPicture_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("404 page") << Script::httpReply(
        "<html><body><h1>404 Not Found</h1></body></html>", "404 Not Found");
    QTest::newRow("empty body") << QByteArray("HTTP/1.0 200 OK\r\n\r\n");
    QTest::newRow("no separator") << gifBytes(3, 3);
    QTest::newRow("headers only, LF line ends")
        << QByteArray("HTTP/1.0 200 OK\n\n") + gifBytes(3, 3);
    QTest::newRow("hostile size claim") << imageReply(gifBytes(30000, 30000, 4));
    QTest::newRow("empty reply") << QByteArray();
}

void tst_ImageDownload::notAPicture()
{
    QFETCH(QByteArray, reply);
    // An older picture stays in "img.dat", and is never what this window shows.
    const QByteArray older = gifBytes(9, 9) + "\r\n";
    QFile file(m_context.imageFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(older) == older.size());
    file.close();

    m_server->enqueue(Script::reply(reply));
    frmInfo *window = open(recordWithImage("images/missing.jpg"));
    bool shown = true;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(!shown);
    QVERIFY(window->pictureBytes().isEmpty());
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("Label3"))->isVisible());
    QCOMPARE(readFile(m_context.imageFilePath()), older);
    QVERIFY(!window->isDownloading());
}

void tst_ImageDownload::noPathNoDownload()
{
    frmInfo *window = open(recordWithImage("a.jpg")); // 5 characters: no picture named
    QTest::qWait(100);
    QVERIFY(!window->isDownloading());
    QCOMPARE(m_server->connectionCount(), 0);

    frmInfo *six = open(recordWithImage("ab.jpg"));
    QVERIFY(waitForEnd(six));
    QCOMPARE(m_server->connectionCount(), 1);
    QVERIFY(m_server->request(0).startsWith("GET /ab.jpg HTTP/1.0\r\n"));
}

void tst_ImageDownload::neverClosingEndsQuietly_data()
{
    QTest::addColumn<Script>("script");
    QTest::newRow("silent") << Script::reply(imageReply(jpegBytes(10, 10)), Ending::StayOpen);
    // Never silent for long, never done: only the limit on the whole download ends it.
    QTest::newRow("trickle") << Script::inPieces(imageReply(jpegBytes(10, 10)), 1, 100);
}

void tst_ImageDownload::neverClosingEndsQuietly()
{
    QFETCH(Script, script);
    m_server->enqueue(script);
    auto *window = new frmInfo(m_context, recordWithImage("images/slow.jpg"), {});
    m_windows.append(window);
    window->findChild<Connection *>(QStringLiteral("Sock"))->setIdleTimeout(300);
    window->findChild<Connection *>(QStringLiteral("Sock"))->setOverallTimeout(1000);
    window->show();
    bool shown = true;
    QVERIFY(waitForEnd(window, &shown, 5000));
    QVERIFY(!shown);
    QVERIFY(!window->isDownloading());
    QVERIFY(window->pictureBytes().isEmpty());
    QVERIFY(!QFile::exists(m_context.imageFilePath()));
}

// A picture of 24 million pixels takes 96 MB decoded; a detail window keeps its thumbnail
// and the bytes received, and the image window decodes it in full when asked.
void tst_ImageDownload::windowsKeepNoFullPicture()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer keeps freed memory in quarantine");
#endif
    m_server->setDefaultScript(Script::reply(imageReply(jpegBytes(6000, 4000))));
    const qint64 before = test::residentKiB();
    QList<frmInfo *> windows;
    for (int i = 0; i < 5; ++i) {
        windows << open(recordWithImage("images/huge.jpg"));
        QVERIFY(waitForEnd(windows.last()));
    }
    const qint64 grown = test::residentKiB() - before;
    QVERIFY2(grown < 48 * 1024, qPrintable(QStringLiteral("%1 KiB for 5 windows").arg(grown)));
    QTest::mouseClick(
        windows.first()->findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(frmImage::instance()->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().size(),
        QSize(6000, 4000));
}

void tst_ImageDownload::noConnectionEndsQuietly()
{
    m_context.server.port = ScriptedServer::unusedPort();
    frmInfo *window = open(recordWithImage("images/lumen.jpg"));
    bool shown = true;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(!shown);
    QVERIFY(!window->isDownloading());
}

void tst_ImageDownload::brokenConnectionEndsQuietly()
{
    const QByteArray reply = imageReply(jpegBytes(200, 200));
    m_server->enqueue(Script::reply(reply.left(reply.size() / 3), Ending::Reset));
    frmInfo *window = open(recordWithImage("images/lumen.jpg"));
    QVERIFY(waitForEnd(window));
    QVERIFY(!window->isDownloading());
}

void tst_ImageDownload::closingTheWindowEndsTheDownload()
{
    m_server->enqueue(Script::reply("HTTP/1.0 200 OK\r\n\r\n", Ending::StayOpen));
    QPointer<frmInfo> window = open(recordWithImage("images/slow.jpg"));
    QVERIFY(m_server->waitForConnections(1));
    QTRY_VERIFY(window->isDownloading());
    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY(!QFile::exists(m_context.imageFilePath()));
}

void tst_ImageDownload::activationRetriesOnlyWithoutAPicture()
{
    m_server->enqueue(Script::reply(Script::httpReply("gone", "404 Not Found")));
    m_server->setDefaultScript(Script::reply(imageReply(gifBytes(6, 6))));
    frmInfo *window = open(recordWithImage("images/lumen.gif"));
    bool shown = true;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(!shown);

    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    window->activateWindow();
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(shown);
    QCOMPARE(m_server->connectionCount(), 2);

    // With its picture shown, coming back to the window starts no further download.
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    window->activateWindow();
    QTRY_VERIFY(window->isActiveWindow());
    QTest::qWait(100);
    QVERIFY(!window->isDownloading());
    QCOMPARE(m_server->connectionCount(), 2);
}

void tst_ImageDownload::pictureShownEvenWhenImgDatCannotBeWritten()
{
    // A folder where "img.dat" should be: the file cannot be written.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("img.dat")));
    m_server->enqueue(Script::reply(imageReply(gifBytes(12, 7))));
    frmInfo *window = open(recordWithImage("images/lumen.gif"));
    bool shown = false;
    QVERIFY(waitForEnd(window, &shown));
    QVERIFY(shown);
    QCOMPARE(test::pictureSize(window), QSize(12, 7));
    QVERIFY(QFileInfo(m_context.imageFilePath()).isDir());
}

void tst_ImageDownload::eachWindowShowsItsOwnPicture()
{
    // The slower download finishes last and overwrites "img.dat"; each window still shows its
    // own picture.
    m_server->enqueue(Script::inPieces(imageReply(gifBytes(8, 5)), 20, 30));
    m_server->enqueue(Script::reply(imageReply(jpegBytes(30, 40))));
    frmInfo *first = open(recordWithImage("images/first.gif", "First"));
    QVERIFY(m_server->waitForConnections(1));
    frmInfo *second = open(recordWithImage("images/second.jpg", "Second"));
    QVERIFY(waitForEnd(second));
    QTRY_VERIFY(!first->isDownloading());
    QCOMPARE(test::pictureSize(first), QSize(8, 5));
    QCOMPARE(test::pictureSize(second), QSize(30, 40));
    QCOMPARE(readFile(m_context.imageFilePath()), gifBytes(8, 5) + "\r\n");
}

void tst_ImageDownload::oneImageWindowReused()
{
    m_server->enqueue(Script::reply(imageReply(jpegBytes(160, 90))));
    m_server->enqueue(Script::reply(imageReply(gifBytes(50, 120))));
    frmInfo *first = open(recordWithImage("images/first.jpg", "First"));
    QVERIFY(waitForEnd(first));
    frmInfo *second = open(recordWithImage("images/second.gif", "Second"));
    QVERIFY(waitForEnd(second));

    QTest::mouseClick(first->findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
    QPointer<frmImage> viewer = frmImage::instance();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Hotspot location image"));
    QVERIFY(!viewer->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The client area is the picture's size, so no border covers its edges.
    QCOMPARE(viewer->size(), QSize(160, 90));
    auto *shown = viewer->findChild<QLabel *>(QStringLiteral("Image1"));
    QCOMPARE(shown->pixmap().size(), QSize(160, 90));
    QCOMPARE(shown->size(), QSize(160, 90));

    QTest::mouseClick(second->findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(frmImage::instance(), viewer.data());
    QCOMPARE(imageWindowCount(), 1);
    QCOMPARE(viewer->size(), QSize(50, 120));
    QCOMPARE(shown->pixmap().size(), QSize(50, 120));
    QTRY_VERIFY(viewer->isActiveWindow());

    // Closed, it is made afresh on the next click; still only one.
    viewer->close();
    QTRY_VERIFY(viewer.isNull());
    QTest::mouseClick(first->findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
    QVERIFY(frmImage::instance());
    QCOMPARE(imageWindowCount(), 1);
    QCOMPARE(frmImage::instance()->size(), QSize(160, 90));
}

void tst_ImageDownload::imageWindowBeforeAnyPicture()
{
    m_server->enqueue(Script::reply("HTTP/1.0 200 OK\r\n\r\n", Ending::StayOpen));
    frmInfo *window = open(recordWithImage("images/slow.jpg"));
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
    QVERIFY(!frmImage::instance());
    QCOMPARE(imageWindowCount(), 0);
}

QTEST_MAIN(tst_ImageDownload)
#include "tst_image_download.moc"
