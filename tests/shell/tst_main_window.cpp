// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "common/plain_text.h"
#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/frm_info.h"
#include "platform/browser.h"
#include "platform/save_dialog.h"
#include "shell/frm_about.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

const ServerAddress Site { u"hotspots.example"_s, 8080 };

// Three hotspots of Austin, as the directory sends them.
const QByteArray Austin = "Zeta Cafe<>free<>Op B<>www.z.example<>555<>z@x<>Cafe<>1 Road<>10001<>"
                          "Austin<>US<>30.25<>-97.75<>1<>ssid<>desc<>END"
                          "Alpha Bar<>comm<>Op C<><><><>Bar<>2 Road<>10002<>Austin<>US<>END"
                          "Mid Hotel<>reg<>Op A<><><><>Hotel<>3 Road<>10003<>Austin<>US<>END";

QWidget *focus()
{
    return QApplication::focusWidget();
}

// The texts the status line showed on screen, in order.
struct PaintedStatus : QObject {
    QStringList texts;
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && object->objectName() == u"lblStatus")
            texts << static_cast<QLabel *>(object)->text();
        return false;
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QStringList m_opened;

private Q_SLOTS:
    // The designed windows as a screenshot shows them: each control's place in logical pixels
    // (twips / 15) and its text (a list's current text; a menu's title and items); "." stands
    // for the window itself: its client area and title (fixed in size, no maximise button, the
    // menu bar above). Pictures fill their boxes, and no label reads markup.
    void designedWindows()
    {
        const MainWindowHarness main(Site);
        frmInfo detail(main.context(), recordOf({ { 1, "Cafe Lumen" }, { 12, "5" } }), {});
        frmAbout about(Site.siteUrl());
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const std::unique_ptr<frmImage> image(frmImage::showPicture(picture));
        const QMap<QString, QWidget *> windows { { u"main"_s, &main.window() },
            { u"detail"_s, &detail }, { u"about"_s, &about }, { u"image"_s, image.get() } };
        const QString design = QString::fromUtf8(
            "main . 0,0,794,588 Pellomar hotspot locator (v " PELLOMAR_VERSION ")\n"
            R"(main Picture4 16,40,177,89
main Label1_0 296,12,185,17 Search wireless hotspots :
main Label2_0 296,40,73,17 Country
main tCountry 360,40,185,21 United States of America
main Label3 560,40,49,17 City
main tCity 592,40,177,19
main Label2_1 560,64,65,17 ZIP Code
main tZip 632,64,137,18
main Label2_2 296,72,89,17 Location Type
main tLocation 384,72,161,21 All
main Label2_3 296,104,105,17 Hotspot Type
main tHotspot 384,104,177,21 All
main Command1 576,104,193,33 Search hotspots!
main Label1_2 24,128,217,17 http://hotspots.example:8080
main Label1_1 16,156,273,17 Wireless hotspots matching your query:
main txtFilter 576,154,193,21
main lblTitle0 48,184,105,17 Location Name
main lblTitle5 632,184,105,17 Operator
main Picture1 16,208,761,289
main lblStatus 8,509,705,25 Results Loaded!
main lblResults 624,552,153,25 0 Results
main Picture5 8,8,361,97
main lblMsg 8,152,745,57
main mnufile - Options|&Submit a Hotspot||Export results… (Ctrl+E)|Show &map (Ctrl+M)|&Recent searches… (Ctrl+R)|&Directory server…||&About (F1)||&Exit
detail . 0,0,625,366 Cafe Lumen
detail Label1_16 16,12,241,17 Hotspot information
detail Label3 432,48,161,105 Images may take a few seconds to download (if image is available)
detail Image1 416,40,193,121
detail SaveHotspot 336,328,185,25 Save hotspot to a text file
detail Command1 528,328,81,25 Close
detail mapLink 416,12,193,17 Show on map
about . 0,0,359,242 About Pellomar hotspot finder
about Picture1 0,0,359,100
about lblLicence 8,196,257,17 Free software: GNU GPL, version 3 or later
about Label1 8,216,257,17 website : http://hotspots.example:8080
image . 0,0,40,30 Hotspot location image)");
        for (const QString &line : design.split(u'\n')) {
            const QString window = line.section(u' ', 0, 0), name = line.section(u' ', 1, 1);
            QWidget *top = windows.value(window);
            auto *mainWindow = qobject_cast<QMainWindow *>(top);
            QObject *found = name != u"." ? top->findChild<QObject *>(name)
                : mainWindow              ? mainWindow->centralWidget()
                                          : top;
            auto *widget = qobject_cast<QWidget *>(found);
            QVERIFY2(widget, qPrintable(line));
            const QRect place = name == u"." ? QRect(QPoint(), widget->size()) : widget->geometry();
            QString at = QString::asprintf(
                "%d,%d,%d,%d", place.x(), place.y(), place.width(), place.height());
            QString text = name == u"."
                ? top->windowTitle()
                : found->property(qobject_cast<QComboBox *>(found) ? "currentText" : "text")
                      .toString();
            if (auto *menu = qobject_cast<QMenu *>(found)) {
                at = u"-"_s;
                text = menu->title();
                for (const QAction *item : menu->actions()) {
                    const QString keys = item->shortcut().toString();
                    text += u'|' + item->text()
                        + (keys.isEmpty() ? QString() : u" (%1)"_s.arg(keys));
                }
            }
            QCOMPARE(u"%1 %2 %3 %4"_s.arg(window, name, at, text).trimmed(), line);
            if (name == u".") {
                QVERIFY(top->minimumSize() == top->maximumSize()
                    && !top->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
                QVERIFY(!mainWindow || widget->y() == mainWindow->menuBar()->height());
                QCOMPARE(labelsReadingMarkup(top), QStringList());
            }
            if (auto *label = qobject_cast<QLabel *>(found); label && !label->pixmap().isNull()) {
                const QImage image = label->pixmap().toImage();
                QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), place.size());
                QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
            }
        }
    }

    // The previous results come back once the window is shown, with "Loading Results..." on
    // screen before the load, and beside the count the time they were downloaded: whole, just
    // left of the count's text and on its baseline. The caption stays with the rows.
    void startUpReloadAndCaption()
    {
        QLocale::setDefault(QLocale::c());
        PaintedStatus painted;
        qApp->installEventFilter(&painted);
        const std::string three = resultFileText(3);
        MainWindowHarness main(Site, &three, QDateTime(QDate(2026, 12, 6), QTime(15, 4)));
        QTRY_COMPARE(
            painted.texts.join(u'|'), u"Welcome to Pellomar.|Loading Results...|Results Loaded!"_s);
        qApp->removeEventFilter(&painted);
        auto *count = main.control<QLabel>(u"lblResults"_s);
        auto *caption = main.control<QLabel>(u"lblDownloaded"_s);
        const QString shown = u"3 ResultsDownloaded 6 Dec 2026 15:04"_s;
        QCOMPARE(count->text() + caption->text(), shown);
        const QFontMetrics countFont(count->font());
        const int gap = count->geometry().right() - countFont.horizontalAdvance(count->text())
            - caption->geometry().right();
        QVERIFY(caption->sizeHint().width() <= caption->width() && gap > 0 && gap < 20);
        QCOMPARE(caption->y() + caption->fontMetrics().ascent(), count->y() + countFont.ascent());
        // A file that cannot be opened leaves the rows, their count and their caption.
        const QString file = main.context().resultFilePath();
        QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        main.window().LoadResults();
        QCOMPARE(count->text() + caption->text(), shown);
        QVERIFY(QDir().rmdir(file));
        main.window().LoadResults();
        QCOMPARE(count->text() + caption->text(), u"0 Results"_s);
    }

    // Search and open by keyboard; the export of the rows shown; each click on a row opens a
    // further window, which keeps its hotspot when a new search replaces the list; the site
    // links, About and Exit.
    void keyboardAndWindows()
    {
        setBrowserOpener([this](const QString &address) { m_opened << address; });
        ScriptedServer server;
        QVERIFY(server.listen());
        server.enqueue(Script::reply(Script::httpReply(Austin)));
        server.setDefaultScript(Script::reply(Script::httpReply("Other<>free<>Op<>END")));
        MainWindowHarness main(server.address());
        QTRY_COMPARE(focus(), main.searchButton());
        for (const char *next :
            { "tCountry", "tLocation", "tHotspot", "tZip", "tCity", "txtFilter", "lblTitle0" }) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            QVERIFY2(main.control<QWidget>(QString::fromLatin1(next))->isAncestorOf(focus())
                    || focus()->objectName() == QLatin1String(next),
                next);
        }
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QTest::keyClicks(focus(), u"Austin"_s);
        QTest::keyClick(focus(), Qt::Key_Return);
        QTRY_COMPARE(main.list()->rowCount(), 3);
        QVERIFY(server.request(0).startsWith("GET /browse-app.php?country=US&city=Austin "));
        QTRY_COMPARE(focus(), main.list());
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QCOMPARE(focus()->objectName(), u"lblTitle5"_s);
        for (const Qt::Key key : { Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return })
            QTest::keyClick(focus(), key);
        QPointer<frmInfo> info;
        QTRY_VERIFY((info = qobject_cast<frmInfo *>(QApplication::activeWindow())));
        QVERIFY(!info->parentWidget());
        QCOMPARE(info->windowTitle(), u"Alpha Bar"_s);
        QCOMPARE(info->findChild<QLabel *>(u"lblCountry"_s)->text(), u"UNITED STATES OF AMERICA"_s);
        QTest::keyClick(info, Qt::Key_Escape);
        QTRY_VERIFY(info.isNull());
        QCOMPARE(main.window().focusWidget(), main.list());
        // "Export results…" writes the rows shown, and says so when there are none.
        const QString exported = QDir(main.dataDir()).filePath(u"out.csv"_s);
        SaveDialog::setResponder([&exported](const SaveDialog::Request &) { return exported; });
        for (const QString &filter : { u"zeta"_s, u"nowhere"_s }) {
            main.control<QLineEdit>(u"txtFilter"_s)->setText(filter);
            main.control<QAction>(u"mnuexport"_s)->trigger();
        }
        main.control<QLineEdit>(u"txtFilter"_s)->clear();
        QCOMPARE(main.boxes().boxes.last().text, u"There are no results to export."_s);
        QCOMPARE(fileBytes(exported).count("\r\n"), 2);
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(main.list()->canvas(), Qt::LeftButton, {},
                main.list()->cellRect(1, ResultLayout::Column::Name).center());
        }
        QVERIFY(main.search());
        QVERIFY(main.window().resultRecord(1).starts_with("Other<>"));
        QStringList zeta;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<frmInfo *>(window); open && open->isVisible()) {
                open->activateWindow();
                QTRY_VERIFY(open->isActiveWindow());
                zeta << open->windowTitle() + u' ' + open->findChild<QLabel *>(u"lblURL"_s)->text();
            }
        }
        QCOMPARE(zeta, QStringList(2, u"Zeta Cafe http://www.z.example"_s));

        // The headings, the link, "Submit a Hotspot" and F1's About window (modal, made for this
        // showing, "Ok" closes it) all lead to the directory web site.
        for (const char *link : { "Label1_0", "Label1_1", "Label1_2" })
            QTest::mouseClick(main.control<QLabel>(QString::fromLatin1(link)), Qt::LeftButton);
        main.control<QAction>(u"mnusubmit"_s)->trigger();
        main.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main.window()));
        QPointer<frmAbout> about;
        QTimer::singleShot(0, this, [&about] {
            if (!(about = qobject_cast<frmAbout *>(QApplication::activeModalWidget())))
                return;
            QTest::mouseClick(about->findChild<QLabel *>(u"Label1"_s), Qt::LeftButton);
            about->findChild<QPushButton *>(u"Command1"_s)->click();
        });
        QTest::keyClick(&main.window(), Qt::Key_F1); // returns once the About window has closed
        QCOMPARE(m_opened, QStringList(5, u"http://127.0.0.1:%1"_s.arg(server.port())));
        QTRY_VERIFY(about.isNull());

        // "Exit" ends the program at once, from inside a modal window and with downloads running.
        server.setDefaultScript(Script::reply("HTTP/1.0 200 OK\r\n\r\n", Ending::StayOpen));
        QPointer<frmInfo> downloading
            = new frmInfo(main.context(), recordOf({ { 17, "images/one.jpg" } }), {});
        downloading->show();
        QVERIFY(server.waitForConnections(3));
        QTimer::singleShot(
            0, &main.window(), [&main] { main.control<QAction>(u"mnuabout"_s)->trigger(); });
        QTimer::singleShot(100, &main.window(), [&] {
            if ((about = qobject_cast<frmAbout *>(QApplication::activeModalWidget())))
                main.control<QAction>(u"mnuexit"_s)->trigger();
        });
        QTimer::singleShot(5000, &main.window(), [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!main.window().isVisible());
        QTRY_VERIFY(about.isNull());
        QVERIFY(!downloading || (!downloading->isVisible() && !downloading->isDownloading()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
