#include "common/scripted_server.h"
#include "details/frm_info.h"
#include "details/saved_hotspot.h"
#include "platform/browser.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace pellomar;

namespace {

std::string recordOf(const QList<QByteArray> &fields)
{
    return fields.join("<>").toStdString();
}

const std::string Lumen = recordOf({ "Cafe Lumen", "free (with registration)", "Lumen Networks",
    "www.lumen.example", "0", "info@lumen.example", "Cafe", "12 Main Street", "10115", "Berlin",
    "de", "52.52", "", "3", "LumenFree", "0", "" });

CountryNameLookup germanyOnly()
{
    return [](std::string_view code) {
        return code == "de" || code == "DE" ? std::string("GERMANY") : std::string();
    };
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_frmInfo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout();
    void captions_data();
    void captions();
    void showsTidiedValues();
    void valuesAreNeverMarkup();
    void emptyRecord();
    void activationRefillsTheSameValues();
    void closeButtonDeletesTheWindow();
    void websiteLink_data();
    void websiteLink();
    void saveNewFile();
    void saveAsksBeforeOverwriting_data();
    void saveAsksBeforeOverwriting();
    void saveCancelled_data();
    void saveCancelled();
    void saveAddsNoExtension();
    void saveFailureKeepsTheOldFile();
    void saveIntoMissingFolder();

private:
    frmInfo *open(const std::string &record);

    std::unique_ptr<QTemporaryDir> m_tmp;
    QDir m_dir;
    AppContext m_context;
    QList<MessageBox::Request> m_boxes;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
    QList<SaveDialog::Request> m_dialogs;
    QString m_fileName;
    QStringList m_opened;
    QList<QPointer<frmInfo>> m_windows;
};

void tst_frmInfo::init()
{
    // A fresh folder per test, so files saved by one test never meet the next.
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_dir = QDir(m_tmp->path());
    m_context.dataDir = m_dir.path();
    m_context.server
        = ServerAddress { QStringLiteral("127.0.0.1"), test::ScriptedServer::unusedPort() };
    m_boxes.clear();
    m_dialogs.clear();
    m_opened.clear();
    m_answer = QMessageBox::Yes;
    m_fileName.clear();
    MessageBox::setResponder([this](const MessageBox::Request &request) {
        m_boxes.append(request);
        return request.buttons.testFlag(QMessageBox::Yes) ? m_answer : QMessageBox::Ok;
    });
    SaveDialog::setResponder([this](const SaveDialog::Request &request) {
        m_dialogs.append(request);
        return m_fileName;
    });
    setBrowserOpener([this](const QString &address) { m_opened.append(address); });
}

void tst_frmInfo::cleanup()
{
    for (const QPointer<frmInfo> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    MessageBox::setResponder({});
    SaveDialog::setResponder({});
    setBrowserOpener({});
    m_tmp.reset();
}

frmInfo *tst_frmInfo::open(const std::string &record)
{
    auto *window = new frmInfo(m_context, record, germanyOnly());
    m_windows.append(window);
    window->show();
    return window;
}

void tst_frmInfo::layout()
{
    frmInfo *window = open(Lumen);
    QCOMPARE(window->size(), QSize(twips(9375), twips(5490)));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("Image1"))->geometry(),
        twipsRect(6240, 600, 2895, 1815));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("lblInfo"))->geometry(),
        twipsRect(5160, 2880, 3855, 1815));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("SaveHotspot"))->geometry(),
        twipsRect(5040, 4920, 2775, 375));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("Command1"))->geometry(),
        twipsRect(7920, 4920, 1215, 375));
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("SaveHotspot"))->text(),
        QStringLiteral("Save hotspot to a text file"));
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("Command1"))->text(),
        QStringLiteral("Close"));
    const QFont url = window->findChild<QLabel *>(QStringLiteral("lblURL"))->font();
    QVERIFY(url.bold() && url.underline());
    // The picture lies over the hint, so a picture once shown covers it.
    const QObjectList &children = window->children();
    QVERIFY(children.indexOf(window->findChild<QWidget *>(QStringLiteral("Image1")))
        > children.indexOf(window->findChild<QWidget *>(QStringLiteral("Label3"))));
    for (const char *name :
        { "Shape1_0", "Shape2_0", "Shape3", "Line1", "Line2", "Line3", "Line4" })
        QVERIFY2(window->findChild<QWidget *>(QString::fromLatin1(name)), name);
}

void tst_frmInfo::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char *name, const char *caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
    };
    row("Label1_16", "Hotspot information");
    row("Label1_0", "Location Name");
    row("Label1_1", "Type");
    row("Label1_6", "Location Type");
    row("Label1_2", "Operator");
    row("Label1_3", "Website URL");
    row("Label1_4", "Phone Number");
    row("Label1_5", "Email Address");
    row("Label1_7", "Address");
    row("Label1_9", "City");
    row("Label1_8", "ZIP");
    row("Label1_10", "Country");
    row("Label1_13", "Technology");
    row("Label1_14", "SSid Info");
    row("Label1_11", "Latitude");
    row("Label1_12", "Longitude");
    row("Label2", "Location description :");
    row("Label3", "Images may take a few seconds to download (if image is available)");
}

void tst_frmInfo::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmInfo *window = open(Lumen);
    auto *label = window->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QVERIFY(label->font().bold());
}

void tst_frmInfo::showsTidiedValues()
{
    frmInfo *window = open(Lumen);
    const auto text = [window](const char *name) {
        return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(window->windowTitle(), QStringLiteral("Cafe Lumen"));
    QCOMPARE(text("lblName"), QStringLiteral("Cafe Lumen"));
    QCOMPARE(text("lblType"), QStringLiteral("Free (with Registration)"));
    QCOMPARE(text("lblLocType"), QStringLiteral("Cafe"));
    QCOMPARE(text("lblOperator"), QStringLiteral("Lumen Networks"));
    QCOMPARE(text("lblURL"), QStringLiteral("http://www.lumen.example"));
    QCOMPARE(text("lblPhone"), QStringLiteral("-"));
    QCOMPARE(text("lblEmail"), QStringLiteral("info@lumen.example"));
    QCOMPARE(text("lblAddress"), QStringLiteral("12 Main Street"));
    QCOMPARE(text("lblZIP"), QStringLiteral("10115"));
    QCOMPARE(text("lblCity"), QStringLiteral("Berlin"));
    QCOMPARE(text("lblCountry"), QStringLiteral("GERMANY"));
    QCOMPARE(text("lblTechnology"), QStringLiteral("802.11G"));
    QCOMPARE(text("lblSSInfo"), QStringLiteral("LumenFree"));
    QCOMPARE(text("lblInfo"), QString());
    QCOMPARE(text("lblLatitude"), QStringLiteral("52.52"));
    QCOMPARE(text("lblLongitude"), QStringLiteral("-"));
    QVERIFY(!window->isDownloading());
}

void tst_frmInfo::valuesAreNeverMarkup()
{
    frmInfo *window = open(recordOf({ "<b>Bold</b> Caf\xC3\xA9", "", "", "", "", "", "", "", "", "",
        "", "", "", "", "", "<img src=x>" }));
    // The record delimiter "<" splits fields and ">" is dropped, so markup cannot come through
    // whole; what does come through is shown as it is, never rendered.
    for (QLabel *label : window->findChildren<QLabel *>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblName"))->text(), QString());
    QCOMPARE(window->windowTitle(), QString());

    frmInfo *utf8 = open(recordOf({ "Caf\xC3\xA9 &amp; Bar", "", "", "", "", "", "", "", "", "", "",
        "", "", "", "", "a &lt; b" }));
    QCOMPARE(utf8->findChild<QLabel *>(QStringLiteral("lblName"))->text(),
        QStringLiteral("Café &amp; Bar"));
    QCOMPARE(
        utf8->findChild<QLabel *>(QStringLiteral("lblInfo"))->text(), QStringLiteral("a &lt; b"));
}

void tst_frmInfo::emptyRecord()
{
    frmInfo *window = open("");
    const auto text = [window](const char *name) {
        return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    for (const char *dash : { "lblLatitude", "lblLongitude", "lblZIP", "lblPhone" })
        QCOMPARE(text(dash), QStringLiteral("-"));
    for (const char *empty :
        { "lblName", "lblType", "lblLocType", "lblOperator", "lblURL", "lblEmail", "lblAddress",
            "lblCity", "lblCountry", "lblTechnology", "lblSSInfo", "lblInfo" })
        QCOMPARE(text(empty), QString());
    QCOMPARE(window->windowTitle(), QString());
    QVERIFY(!window->isDownloading());
}

void tst_frmInfo::activationRefillsTheSameValues()
{
    frmInfo *window = open(Lumen);
    QWidget other;
    other.show();
    const auto snapshot = [window] {
        QStringList texts { window->windowTitle() };
        for (QLabel *label : window->findChildren<QLabel *>())
            texts << label->text();
        return texts;
    };
    const QStringList first = snapshot();
    for (int i = 0; i < 3; ++i) {
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        QCOMPARE(snapshot(), first);
    }
    window->Form_Activate();
    QCOMPARE(snapshot(), first);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblURL"))->text(),
        QStringLiteral("http://www.lumen.example"));
}

void tst_frmInfo::closeButtonDeletesTheWindow()
{
    QPointer<frmInfo> first = open(Lumen);
    QPointer<frmInfo> second = open(Lumen);
    QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->findChild<QLabel *>(QStringLiteral("lblName"))->text(),
        QStringLiteral("Cafe Lumen"));
}

void tst_frmInfo::websiteLink_data()
{
    QTest::addColumn<QByteArray>("website");
    QTest::addColumn<QString>("opened");
    QTest::newRow("www. gets http://")
        << QByteArray("www.lumen.example") << QStringLiteral("http://www.lumen.example");
    QTest::newRow("https") << QByteArray("https://lumen.example/a?b=c")
                           << QStringLiteral("https://lumen.example/a?b=c");
    QTest::newRow("file address refused") << QByteArray("file:///etc/passwd") << QString();
    QTest::newRow("quotes refused") << QByteArray("http://x.example/\" --evil") << QString();
    QTest::newRow("command text refused") << QByteArray("calc.exe") << QString();
    QTest::newRow("WWW. in capitals is no address") << QByteArray("WWW.LUMEN.EXAMPLE") << QString();
    QTest::newRow("javascript refused") << QByteArray("javascript:alert(1)") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_frmInfo::websiteLink()
{
    QFETCH(QByteArray, website);
    QFETCH(QString, opened);
    frmInfo *window = open(
        recordOf({ "Site", "", "", website, "", "", "", "", "", "", "", "", "", "", "", "", "" }));
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("lblURL")), Qt::LeftButton);
    QCOMPARE(m_opened, opened.isEmpty() ? QStringList() : QStringList { opened });
    QVERIFY(m_boxes.isEmpty());
}

void tst_frmInfo::saveNewFile()
{
    frmInfo *window = open(Lumen);
    m_fileName = m_dir.filePath(QStringLiteral("lumen.txt"));
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);

    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_dialogs[0].filter, QStringLiteral("Text Files (*.txt)"));
    QCOMPARE(readFile(m_fileName),
        QByteArray("Location Name: Cafe Lumen\r\nType: Free (with Registration)\r\n"
                   "Location Type: Cafe\r\n\r\nOperator: Lumen Networks\r\n"
                   "Website URL: http://www.lumen.example\r\nPhone Number: -\r\n"
                   "Email Address: info@lumen.example\r\n\r\nAddress: 12 Main Street\r\n"
                   "City: Berlin\r\nZIP: 10115\r\nCountry: GERMANY\r\n\r\n"
                   "Technology: 802.11G\r\nSSid Info: LumenFree\r\n\r\nLatitude:52.52\r\n"
                   "Longitude: -\r\n\r\nNotes: \r\n\r\n"));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Information);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Saved"));
    QCOMPARE(m_boxes[0].text, QStringLiteral("Hotspot Information Saved!\r\n\r\n") + m_fileName);
    QCOMPARE(m_boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void tst_frmInfo::saveAsksBeforeOverwriting_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes replaces") << true;
    QTest::newRow("No keeps") << false;
}

void tst_frmInfo::saveAsksBeforeOverwriting()
{
    QFETCH(bool, yes);
    frmInfo *window = open(Lumen);
    m_fileName = m_dir.filePath(QStringLiteral("existing.txt"));
    const QByteArray old("an older hotspot, much longer than the saved text would ever be... "
                         "so that a partial overwrite would show\r\n");
    QVERIFY(writeFile(m_fileName, old));
    m_answer = yes ? QMessageBox::Yes : QMessageBox::No;

    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);

    QVERIFY(!m_boxes.isEmpty());
    QCOMPARE(m_boxes[0].text, QStringLiteral("File exists... would you like to overwrite?"));
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Pellomar"));
    QCOMPARE(m_boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    if (yes) {
        QCOMPARE(
            readFile(m_fileName), QByteArray::fromStdString(SavedHotspotText(window->details())));
        QCOMPARE(m_boxes.size(), 2);
        QCOMPARE(m_boxes[1].title, QStringLiteral("Saved"));
    } else {
        QCOMPARE(readFile(m_fileName), old);
        QCOMPARE(m_boxes.size(), 1);
    }
}

void tst_frmInfo::saveCancelled_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("only spaces") << QStringLiteral("   ");
}

void tst_frmInfo::saveCancelled()
{
    QFETCH(QString, name);
    frmInfo *window = open(Lumen);
    m_fileName = name;
    const QStringList before
        = QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);
    QCOMPARE(m_dialogs.size(), 1);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

void tst_frmInfo::saveAddsNoExtension()
{
    frmInfo *window = open(Lumen);
    m_fileName = m_dir.filePath(QStringLiteral("lumen"));
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);
    QVERIFY(QFile::exists(m_fileName));
    QVERIFY(!QFile::exists(m_fileName + QStringLiteral(".txt")));
    QVERIFY(readFile(m_fileName).startsWith("Location Name: Cafe Lumen\r\n"));
}

void tst_frmInfo::saveFailureKeepsTheOldFile()
{
    frmInfo *window = open(Lumen);
    m_fileName = m_dir.filePath(QStringLiteral("full-disk.txt"));
    const QByteArray old("old");
    QVERIFY(writeFile(m_fileName, old));

    // A file size limit makes the write fail the way a full disk does, even for root.
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(m_boxes.size(), 2); // the overwrite question, then the failure
    QCOMPARE(m_boxes[1].icon, QMessageBox::Critical);
    QVERIFY2(m_boxes[1].text.contains(m_fileName), qPrintable(m_boxes[1].text));
    QCOMPARE(readFile(m_fileName), old);
    // No temporary file is left behind either.
    QCOMPARE(
        QDir(m_dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("full-disk.txt") });
}

void tst_frmInfo::saveIntoMissingFolder()
{
    frmInfo *window = open(Lumen);
    m_fileName = m_dir.filePath(QStringLiteral("no-such-folder/lumen.txt"));
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Pellomar"));
    QVERIFY(m_boxes[0].text.startsWith(QStringLiteral("Cannot write ")));
    QVERIFY(!QFile::exists(m_fileName));
}

QTEST_MAIN(tst_frmInfo)
#include "tst_frm_info.moc"
