#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/frm_info.h"
#include "platform/browser.h"
#include "platform/connection.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "resultfile/result_format.h"
#include "results/result_list_view.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace pellomar;

namespace {

ReferenceTable referenceTable(const char *file, bool countries)
{
    const FileRead read = readWholeFile(
        qEnvironmentVariable("PELLOMAR_BIN_DIR") + u'/' + QString::fromLatin1(file));
    return countries ? ParseCountries(asView(read.data)).table
                     : ParseLocationTypes(asView(read.data)).table;
}

// A server that accepts picture requests and never answers, and counts the connections its
// clients close.
class SilentServer : public QObject {
public:
    SilentServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                ++accepted;
                connect(socket, &QTcpSocket::disconnected, this, [this] { ++closedByClient; });
            }
        });
    }
    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    ServerAddress address() const { return { QStringLiteral("127.0.0.1"), m_server.serverPort() }; }

    int accepted = 0;
    int closedByClient = 0;

private:
    QTcpServer m_server;
};

// True while a modal window keeps input away from `window`.
bool isBlockedByModal(QWidget *window)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != window && modal->isModal();
}

} // namespace

class tst_MainWindowDetails : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void linksOpenTheSite_data();
    void linksOpenTheSite();
    void submitOpensTheSite();
    void aboutIsModal_data();
    void aboutIsModal();
    void rowClickOpensADetailWindow();
    void windowKeepsItsHotspotAfterANewSearch();
    void exitWithDownloadsRunning();
    void exitFromInsideAModalWindow();

private:
    void makeWindow(const ServerAddress &server);
    void loadResults(const QByteArray &plainFile);
    void clickRow(int row);
    QList<frmInfo *> detailWindows() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_window;
    QStringList m_opened;
};

void tst_MainWindowDetails::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_opened.clear();
    setBrowserOpener([this](const QString &address) { m_opened.append(address); });
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });
}

void tst_MainWindowDetails::cleanup()
{
    m_window.reset();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmInfo *>(widget) || qobject_cast<frmImage *>(widget))
            delete widget;
    }
    setBrowserOpener({});
    MessageBox::setResponder({});
    m_dir.reset();
}

void tst_MainWindowDetails::makeWindow(const ServerAddress &server)
{
    AppContext context;
    context.server = server;
    context.dataDir = m_dir->path();
    context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
    m_window = std::make_unique<frmMain>(
        context, referenceTable("countries.txt", true), referenceTable("locations.txt", false));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

// Stores a result file as a search would, and loads it into the list.
void tst_MainWindowDetails::loadResults(const QByteArray &plainFile)
{
    const std::string scrambled = Scrambled(asView(plainFile));
    QCOMPARE(writeFileAtomically(
                 m_window->context().resultFilePath(), QByteArray::fromStdString(scrambled)),
        QString());
    m_window->LoadResults();
}

void tst_MainWindowDetails::clickRow(int row)
{
    auto *list = m_window->findChild<ResultListView *>(QStringLiteral("Picture1"));
    QVERIFY(list && list->rowCount() >= row);
    QTest::mouseClick(list->canvas(), Qt::LeftButton, {},
        list->cellRect(row, ResultLayout::Column::Name).center());
}

QList<frmInfo *> tst_MainWindowDetails::detailWindows() const
{
    QList<frmInfo *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *info = qobject_cast<frmInfo *>(widget); info && info->isVisible())
            windows.append(info);
    }
    return windows;
}

void tst_MainWindowDetails::linksOpenTheSite_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("heading of the search form") << QStringLiteral("Label1_0");
    QTest::newRow("heading of the result list") << QStringLiteral("Label1_1");
    QTest::newRow("the link") << QStringLiteral("Label1_2");
}

void tst_MainWindowDetails::linksOpenTheSite()
{
    QFETCH(QString, label);
    makeWindow(ServerAddress { QStringLiteral("hotspots.example"), 8080 });
    auto *heading = m_window->findChild<QLabel *>(label);
    QVERIFY(heading);
    QTest::mouseClick(heading, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList { QStringLiteral("http://hotspots.example:8080") });
}

void tst_MainWindowDetails::submitOpensTheSite()
{
    makeWindow(ServerAddress { QStringLiteral("hotspots.example"), 80 });
    m_window->findChild<QAction *>(QStringLiteral("mnusubmit"))->trigger();
    QCOMPARE(m_opened, QStringList { QStringLiteral("http://hotspots.example") });
}

void tst_MainWindowDetails::aboutIsModal_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("menu item") << false;
    QTest::newRow("F1") << true;
}

void tst_MainWindowDetails::aboutIsModal()
{
    QFETCH(bool, byKey);
    makeWindow(ServerAddress { QStringLiteral("127.0.0.1"), 41234 });
    QPointer<frmAbout> seen;
    bool blocksMain = false;
    QString link;
    QTimer::singleShot(0, this, [&] {
        seen = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!seen)
            return;
        // Input to the main window is blocked while the About window is up.
        blocksMain = isBlockedByModal(m_window.get());
        link = seen->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        QTest::mouseClick(
            seen->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    if (byKey) {
        m_window->activateWindow();
        QTRY_VERIFY(m_window->isActiveWindow());
        QTest::keyClick(m_window.get(), Qt::Key_F1);
    } else {
        m_window->findChild<QAction *>(QStringLiteral("mnuabout"))->trigger();
    }
    // Back here only once the About window has been closed; it was made for this showing only.
    QVERIFY(blocksMain);
    QCOMPARE(link, QStringLiteral("website : http://127.0.0.1:41234"));
    QTRY_VERIFY(seen.isNull());
}

void tst_MainWindowDetails::rowClickOpensADetailWindow()
{
    makeWindow(ServerAddress { QStringLiteral("127.0.0.1"), test::ScriptedServer::unusedPort() });
    loadResults("Cafe Lumen<>free<>Lumen<><><><>Cafe<><><>Berlin<>DE\r\n-\r\n"
                "Harbour Hall<>comm<>Port Net<><><><>Hall<><><>Hamburg<>DE\r\n-\r\n\r\n");
    clickRow(1);
    clickRow(1);
    clickRow(2);
    QList<frmInfo *> windows = detailWindows();
    QCOMPARE(windows.size(), 3);
    QStringList titles;
    for (frmInfo *window : windows)
        titles << window->windowTitle();
    titles.sort();
    QCOMPARE(titles,
        QStringList({ QStringLiteral("Cafe Lumen"), QStringLiteral("Cafe Lumen"),
            QStringLiteral("Harbour Hall") }));
    QCOMPARE(windows[0]->findChild<QLabel *>(QStringLiteral("lblCountry"))->text(),
        QStringLiteral("GERMANY"));
    QVERIFY(windows[0]->parentWidget() == nullptr);

    // Closing one leaves the others open.
    QPointer<frmInfo> closed = windows[0];
    closed->close();
    QTRY_VERIFY(closed.isNull());
    QCOMPARE(detailWindows().size(), 2);
    QVERIFY(m_window->isVisible());
}

void tst_MainWindowDetails::windowKeepsItsHotspotAfterANewSearch()
{
    makeWindow(ServerAddress { QStringLiteral("127.0.0.1"), test::ScriptedServer::unusedPort() });
    loadResults("Cafe Lumen<>free<>Lumen<>www.lumen.example\r\n-\r\n\r\n");
    clickRow(1);
    QCOMPARE(detailWindows().size(), 1);
    frmInfo *window = detailWindows().first();

    // A later search puts another hotspot at row 1.
    loadResults("Harbour Hall<>comm<>Port Net<>www.harbour.example\r\n-\r\n\r\n");
    QCOMPARE(m_window->resultRecord(1),
        std::string("Harbour Hall<>comm<>Port Net<>www.harbour.example"));
    m_window->activateWindow();
    QTRY_VERIFY(m_window->isActiveWindow());
    window->activateWindow();
    QTRY_VERIFY(window->isActiveWindow());
    QCOMPARE(window->windowTitle(), QStringLiteral("Cafe Lumen"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblURL"))->text(),
        QStringLiteral("http://www.lumen.example"));

    const QString saved = m_dir->filePath(QStringLiteral("kept.txt"));
    SaveDialog::setResponder([&saved](const SaveDialog::Request &) { return saved; });
    QTest::mouseClick(
        window->findChild<QPushButton *>(QStringLiteral("SaveHotspot")), Qt::LeftButton);
    SaveDialog::setResponder({});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("Location Name: Cafe Lumen\r\nType: Free\r\n"));
    QVERIFY(text.contains("\r\nWebsite URL: http://www.lumen.example\r\n"));

    // And after a search that found nothing at all.
    loadResults("-\r\n\r\n");
    window->Form_Activate();
    QCOMPARE(window->windowTitle(), QStringLiteral("Cafe Lumen"));
}

void tst_MainWindowDetails::exitWithDownloadsRunning()
{
    SilentServer server;
    QVERIFY(server.listen());
    makeWindow(server.address());
    QList<QPointer<frmInfo>> windows;
    for (const char *path : { "images/one.jpg", "images/two.jpg" }) {
        auto *window = new frmInfo(
            m_window->context(), "Hotspot<><><><><><><><><><><><><><><><>" + std::string(path), {});
        window->show();
        windows.append(window);
    }
    QTRY_COMPARE(server.accepted, 2);
    QVERIFY(windows[0]->isDownloading() && windows[1]->isDownloading());

    QTimer::singleShot(0, m_window.get(),
        [this] { m_window->findChild<QAction *>(QStringLiteral("mnuexit"))->trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);

    QVERIFY(!m_window->isVisible());
    for (const QPointer<frmInfo> &window : std::as_const(windows))
        QVERIFY(!window || !window->isVisible());
    // The downloads were dropped on the way out, not left to time out.
    QTRY_COMPARE(server.closedByClient, 2);
}

void tst_MainWindowDetails::exitFromInsideAModalWindow()
{
    makeWindow(ServerAddress { QStringLiteral("127.0.0.1"), test::ScriptedServer::unusedPort() });
    QPointer<frmAbout> about;
    bool aboutWasOpen = false;
    QTimer::singleShot(0, m_window.get(),
        [this] { m_window->findChild<QAction *>(QStringLiteral("mnuabout"))->trigger(); });
    // Runs inside the About window's own event loop.
    QTimer::singleShot(50, m_window.get(), [this, &about, &aboutWasOpen] {
        about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        aboutWasOpen = about && about->isVisible();
        m_window->findChild<QAction *>(QStringLiteral("mnuexit"))->trigger();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(aboutWasOpen);
    QTRY_VERIFY(about.isNull());
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(tst_MainWindowDetails)
#include "tst_main_window_details.moc"
