#include "common/scripted_server.h"
#include "details/frm_info.h"
#include "details/test_pictures.h"
#include "faults/fault_support.h"
#include "platform/message_box.h"
#include "results/result_list_view.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

using namespace pellomar;
using namespace pellomar::test;

namespace {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return bigEndian32(quint32(data.size())) + type + data + bigEndian32(crc32(type + data));
}

// A PNG whose header claims `side` x `side` pixels, with a few bytes of pixel data.
QByteArray hugePng(int side)
{
    const QByteArray header
        = bigEndian32(quint32(side)) + bigEndian32(quint32(side)) + QByteArray("\x08\x02\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
        + pngChunk("IDAT", QByteArray("\x78\x9c\x63\0\0\0\x01\0\x01", 9)) + pngChunk("IEND", {});
}

// A real JPEG whose frame header is changed to claim `side` x `side` pixels.
QByteArray hugeJpeg(int side)
{
    QByteArray jpeg = jpegBytes(16, 16);
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    qToBigEndian(quint16(side), jpeg.data() + frame + 5);
    qToBigEndian(quint16(side), jpeg.data() + frame + 7);
    return jpeg;
}

// A record whose last field, the image path, names a picture on the server.
std::string recordWithPicture()
{
    std::string record = "Picture Cafe<>US<>Springfield<>Cafe<>free<>Operator";
    for (int field = 7; field <= 16; ++field)
        record += "<>";
    return record + "<>pictures/cafe.gif";
}

} // namespace

// Pictures that claim to be huge or are cut short, downloaded by a detail window opened from
// the list: nothing is decoded that could exhaust memory, the window goes on without a
// picture, and no file of the user's changes.
class TestPictureFaults : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<frmMain> m_window;
    QList<MessageBox::Request> m_boxes;

private Q_SLOTS:
    void initTestCase()
    {
        MessageBox::setResponder([this](const MessageBox::Request &box) {
            m_boxes.append(box);
            return QMessageBox::Ok;
        });
    }
    void cleanupTestCase() { MessageBox::setResponder({}); }

    void init()
    {
        m_boxes.clear();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
    }

    void cleanup()
    {
        for (frmInfo *info : openWindows<frmInfo>())
            delete info;
        m_window.reset();
        m_server.reset();
        m_dir.reset();
    }

    void badPicture_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<bool>("mayShow"); // a decoder may show what a cut picture holds
        QTest::newRow("PNG of 30,000 x 30,000") << hugePng(30000) << false;
        QTest::newRow("GIF of 30,000 x 30,000") << gifBytes(30000, 30000, 64) << false;
        QTest::newRow("JPEG of 30,000 x 30,000") << hugeJpeg(30000) << false;
        const QByteArray gif = gifBytes(64, 64);
        QTest::newRow("GIF cut in half") << gif.left(gif.size() / 2) << true;
        QTest::newRow("GIF cut after its header") << gif.left(13) << false;
    }

    void badPicture()
    {
        QFETCH(QByteArray, picture);
        QFETCH(bool, mayShow);
        QVERIFY(!picture.isEmpty());
        m_server->setDefaultScript(Script::reply(Script::httpReply(picture, "200 OK")));

        AppContext context;
        context.server = m_server->address();
        context.dataDir = m_dir->path();
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        KeptFiles kept;
        QVERIFY(kept.write(context.resultFilePath(), m_dir->filePath(QStringLiteral("saved.txt"))));
        const std::string plain = recordWithPicture() + "\r\n-\r\n";
        QVERIFY(writeFileAtomically(
            context.resultFilePath(), QByteArray::fromStdString(Scrambled(plain)))
                    .isEmpty());
        const QByteArray previousPicture = "an earlier picture";
        QVERIFY(writeFileAtomically(context.imageFilePath(), previousPicture).isEmpty());
        QVERIFY(kept.snapshot());

        m_window = openMainWindow(context);
        auto *list = m_window->findChild<ResultListView *>();
        QTRY_COMPARE(list->rowCount(), 1);
        QTest::mouseClick(list->canvas(), Qt::LeftButton, {},
            list->cellRect(1, ResultLayout::Column::Name).center());
        QTRY_COMPARE(openWindows<frmInfo>().size(), 1);
        frmInfo *info = openWindows<frmInfo>().constFirst();
        QSignalSpy ended(info, &frmInfo::imageDownloadEnded);
        QVERIFY(ended.count() > 0 || ended.wait(10000));

        const bool shown = ended.first().first().toBool();
        if (!mayShow)
            QVERIFY(!shown);
        if (shown) {
            QCOMPARE(test::pictureSize(info), QSize(64, 64));
        } else {
            QVERIFY(info->pictureBytes().isEmpty());
            QVERIFY(info->findChild<QLabel *>(QStringLiteral("Label3"))->isVisible());
            QCOMPARE(readWholeFile(context.imageFilePath()).data, previousPicture);
        }
        QCOMPARE(info->findChild<QLabel *>(QStringLiteral("lblName"))->text(),
            QStringLiteral("Picture Cafe"));
        QVERIFY(!info->grab().isNull());
        QVERIFY2(kept.changed().isEmpty(), qPrintable(kept.changed()));
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(m_window->isVisible());
    }
};

QTEST_MAIN(TestPictureFaults)
#include "tst_picture_faults.moc"
