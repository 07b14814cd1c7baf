#include "common/harness.h"
#include "common/plain_text.h"
#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/frm_info.h"
#include "platform/browser.h"
#include "platform/save_dialog.h"
#include "shell/frm_about.h"

#include <QAccessible>
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

template<typename T> T *activeWindow()
{
    T *found = nullptr;
    return QTest::qWaitFor(
               [&found] { return (found = qobject_cast<T *>(QApplication::activeWindow())); })
        ? found
        : nullptr;
}

// The texts a label showed on screen, in order.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel *label)
        : m_label(label)
    {
        label->installEventFilter(this);
    }
    QStringList texts;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            texts << m_label->text();
        return false;
    }

private:
    QLabel *m_label;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowHarness> m_main;
    // The designed windows by name; "Exit" closes them all in the end.
    QMap<QString, QPointer<QWidget>> m_windows;
    QWidgetList m_before;
    QStringList m_opened;
    QString m_saveAs;

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        m_main = std::make_unique<MainWindowHarness>(Site);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        m_windows = { { u"main"_s, &m_main->window() },
            { u"detail"_s,
                new frmInfo(
                    m_main->context(), recordOf({ { 1, "Cafe Lumen" }, { 12, "5" } }), {}) },
            { u"about"_s, new frmAbout(Site.siteUrl()) },
            { u"image"_s, frmImage::showPicture(picture) } };
    }

    void cleanupTestCase()
    {
        for (const char *window : { "detail", "about", "image" })
            delete m_windows.value(QString::fromLatin1(window));
        m_main.reset();
    }

    void init()
    {
        m_before = QApplication::topLevelWidgets();
        m_opened.clear();
        setBrowserOpener([this](const QString &address) { m_opened << address; });
        SaveDialog::setResponder([this](const SaveDialog::Request &) { return m_saveAs; });
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!m_before.contains(window) && qobject_cast<frmInfo *>(window))
                delete window;
        }
        setBrowserOpener({});
        SaveDialog::setResponder({});
    }

    // The designed windows' controls: where they are in logical pixels (twips / 15) and what
    // they say. No control name stands for the window itself: its client area and title.
    void designedWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place"); // invalid: not checked
        QTest::addColumn<QString>("text"); // null: not checked
        const auto row
            = [](const char *window, const char *control, QRect place, const char *text) {
                  QTest::addRow("%s %s", window, control)
                      << QString::fromLatin1(window) << QString::fromLatin1(control) << place
                      << (text ? QString::fromUtf8(text) : QString());
              };
        row("main", "", { 0, 0, 794, 588 }, "Pellomar hotspot locator (v 1.1.39)");
        row("main", "Picture4", { 16, 40, 177, 89 }, nullptr);
        row("main", "Label1_0", { 296, 12, 185, 17 }, "Search wireless hotspots :");
        row("main", "Label2_0", { 296, 40, 73, 17 }, "Country");
        row("main", "tCountry", { 360, 40, 185, 21 }, "United States of America");
        row("main", "Label3", { 560, 40, 49, 17 }, "City");
        row("main", "Label2_1", { 560, 64, 65, 17 }, "ZIP Code");
        row("main", "tZip", { 632, 64, 137, 18 }, "");
        row("main", "Label2_2", { 296, 72, 89, 17 }, "Location Type");
        row("main", "tLocation", { 384, 72, 161, 21 }, "All");
        row("main", "Label2_3", { 296, 104, 105, 17 }, "Hotspot Type");
        row("main", "tHotspot", { 384, 104, 177, 21 }, "All");
        row("main", "Command1", { 576, 104, 193, 33 }, "Search hotspots!");
        row("main", "Label1_2", { 24, 128, 217, 17 }, "http://hotspots.example:8080");
        row("main", "Label1_1", { 16, 156, 273, 17 }, "Wireless hotspots matching your query:");
        row("main", "lblTitle0", { 48, 184, 105, 17 }, "Location Name");
        row("main", "lblTitle5", { 632, 184, 105, 17 }, "Operator");
        row("main", "Picture1", { 16, 208, 761, 289 }, nullptr);
        row("main", "lblStatus", { 8, 509, 705, 25 }, "Results Loaded!");
        row("main", "lblResults", { 624, 552, 153, 25 }, "0 Results");
        row("main", "Picture3", { -8, 264, 761, 217 }, nullptr);
        row("main", "Picture5", { 8, 8, 361, 97 }, nullptr);
        row("main", "lblMsg", { 8, 152, 745, 57 }, "");
        row("main", "mnufile", {},
            "Options: mnusubmit mnuexportSeparator mnuexport gghj mnuabout fggfh mnuexit");
        row("main", "mnusubmit", {}, "&Submit a Hotspot");
        row("main", "mnuexport", {}, "Export results\u2026");
        row("main", "mnuabout", {}, "&About");
        row("main", "mnuexit", {}, "&Exit");
        row("detail", "", { 0, 0, 625, 366 }, "Cafe Lumen");
        row("detail", "Shape1_0", { 8, 8, 609, 353 }, nullptr);
        row("detail", "Line3", { 72, 168, 1, 72 }, nullptr);
        row("detail", "Label1_16", { 16, 12, 241, 17 }, "Hotspot information");
        row("detail", "Label1_0", { 16, 40, 137, 25 }, "Location Name");
        row("detail", "Label1_1", { 16, 56, 137, 17 }, "Type");
        row("detail", "Label1_6", { 16, 72, 137, 17 }, "Location Type");
        row("detail", "Label1_2", { 16, 96, 137, 17 }, "Operator");
        row("detail", "Label1_3", { 16, 112, 137, 17 }, "Website URL");
        row("detail", "Label1_4", { 16, 128, 137, 17 }, "Phone Number");
        row("detail", "Label1_5", { 16, 144, 137, 17 }, "Email Address");
        row("detail", "Label1_7", { 16, 176, 137, 17 }, "Address");
        row("detail", "Label1_9", { 16, 216, 49, 17 }, "City");
        row("detail", "Label1_8", { 16, 232, 49, 17 }, "ZIP");
        row("detail", "Label1_10", { 16, 248, 65, 17 }, "Country");
        row("detail", "Label1_13", { 16, 280, 81, 17 }, "Technology");
        row("detail", "Label1_14", { 16, 296, 73, 17 }, "SSid Info");
        row("detail", "Label1_11", { 16, 320, 73, 17 }, "Latitude");
        row("detail", "Label1_12", { 16, 336, 81, 17 }, "Longitude");
        row("detail", "Label2", { 344, 176, 201, 17 }, "Location description :");
        row("detail", "lblURL", { 144, 112, 265, 17 }, "");
        row("detail", "lblInfo", { 344, 192, 257, 121 }, "");
        row("detail", "Label3", { 432, 48, 161, 105 },
            "Images may take a few seconds to download (if image is available)");
        row("detail", "Image1", { 416, 40, 193, 121 }, "");
        row("detail", "SaveHotspot", { 336, 328, 185, 25 }, "Save hotspot to a text file");
        row("detail", "Command1", { 528, 328, 81, 25 }, "Close");
        // On the title band's free right end, clear of every designed control.
        row("detail", "mapLink", { 416, 12, 193, 17 }, "Show on map");
        row("about", "", { 0, 0, 359, 242 }, "About Pellomar hotspot finder");
        row("about", "Picture1", { 0, 0, 359, 100 }, nullptr);
        row("about", "Label2", { 8, 104, 217, 17 }, "Pellomar hotspot finder");
        row("about", "Label5", { 8, 152, 345, 41 },
            "Locate WiFi hotspots around the world, with our easy to use application. You may "
            "also submit your own hotspots to our database.");
        row("about", "Label1", { 8, 216, 257, 17 }, "website : http://hotspots.example:8080");
        row("about", "Command1", { 272, 208, 81, 25 }, "&Ok");
        row("image", "", { 0, 0, 40, 30 }, "Hotspot location image");
        row("image", "Image1", { 0, 0, 40, 30 }, nullptr);
    }

    void designedWindows()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QWidget *top = m_windows.value(window);
        QVERIFY(top);
        QCOMPARE(labelsReadingMarkup(top), QStringList());
        auto *main = qobject_cast<QMainWindow *>(top);
        QObject *found = control.isEmpty() ? (main ? main->centralWidget() : top)
                                           : top->findChild<QObject *>(control);
        QVERIFY(found);
        auto *widget = qobject_cast<QWidget *>(found);
        if (control.isEmpty()) {
            // Fixed in size: no maximise button.
            QVERIFY(top->minimumSize() == top->maximumSize()
                && !top->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QCOMPARE(widget->size(), place.size());
            // The menu bar lies above the client area, not over it.
            QVERIFY(!main || widget->y() == main->menuBar()->height());
            QCOMPARE(top->windowTitle(), text);
            return;
        }
        if (place.isValid())
            QCOMPARE(widget->geometry(), place);
        // A picture fills its box.
        if (auto *label = qobject_cast<QLabel *>(found); label && !label->pixmap().isNull()) {
            const QImage image = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), place.size());
            QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        }
        if (auto *combo = qobject_cast<QComboBox *>(found))
            QCOMPARE(combo->currentText(), text);
        else if (auto *menu = qobject_cast<QMenu *>(found)) {
            QStringList items { menu->title() + u':' };
            for (const QAction *item : menu->actions())
                items << item->objectName();
            QCOMPARE(items.join(u' '), text);
        } else if (!text.isNull())
            QCOMPARE(found->property("text").toString(), text);
    }

    // The headings, the link and "Submit a Hotspot" all open the directory's web site.
    void siteLinks()
    {
        for (const char *name : { "Label1_0", "Label1_1", "Label1_2", "mnusubmit" }) {
            if (auto *item = m_main->window().findChild<QAction *>(QString::fromLatin1(name)))
                item->trigger();
            else
                QTest::mouseClick(
                    m_main->control<QLabel>(QString::fromLatin1(name)), Qt::LeftButton);
        }
        QCOMPARE(m_opened, QStringList(4, u"http://hotspots.example:8080"_s));
    }

    void accessibleNames()
    {
        for (const char *name : { "tCountry:Country", "tCity:City", "tZip:ZIP Code",
                 "tLocation:Location Type", "tHotspot:Hotspot Type", "txtFilter:Filter",
                 "Command1:Search hotspots!", "lblTitle0:Location Name", "Picture1:Results" }) {
            const QStringList pair = QString::fromLatin1(name).split(u':');
            auto *accessible
                = QAccessible::queryAccessibleInterface(m_main->control<QWidget>(pair[0]));
            // On Linux a combo box's name is its text; its caption comes as its label.
            if (accessible && accessible->role() == QAccessible::ComboBox)
                accessible = accessible->relations(QAccessible::Label).value(0).first;
            QVERIFY2(accessible && accessible->text(QAccessible::Name) == pair[1], name);
        }
        // Every control a user can reach with Tab carries a name.
        for (QWidget *widget : m_main->window().findChildren<QWidget *>()) {
            if (widget->focusPolicy() & Qt::TabFocus && widget->isVisibleTo(&m_main->window())
                && !qobject_cast<QComboBox *>(widget->parentWidget()))
                QVERIFY2(!QAccessible::queryAccessibleInterface(widget)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                    widget->metaObject()->className());
        }
    }

    // The lists keep the files' order, the form its designed values even where the lists lack
    // them, and typed text stays as typed until a search checks it; a long link widens.
    void listsAndLink()
    {
        AppContext context = m_main->context();
        context.server.host = u"a-rather-long-directory-host-name.example.org"_s;
        frmMain window(context, ParseCountries("ZW|Zimbabwe\r\n\r\nAX|\xC3\x85land Islands").table,
            ParseLocationTypes("Zoo,ZOO\r\nAirport,AIR\r\n").table);
        const auto items = [&window](const char *name) {
            auto *combo = window.findChild<QComboBox *>(QString::fromLatin1(name));
            QStringList texts { combo->currentText() };
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            return texts.join(u'|');
        };
        QCOMPARE(items("tCountry"), u"United States of America|Zimbabwe|\u00C5land Islands"_s);
        QCOMPARE(items("tLocation"), u"All|All|Zoo|Airport"_s);
        QCOMPARE(items("tHotspot"), u"All|All|free|free (with registration)|commercial"_s);
        auto *link = window.findChild<QLabel *>(u"Label1_2"_s);
        QCOMPARE(link->text(), u"http://a-rather-long-directory-host-name.example.org:8080"_s);
        QVERIFY(link->sizeHint().width() <= link->width());
        QVERIFY(link->geometry().right() < window.findChild<QWidget *>(u"Command1"_s)->x());
        QCOMPARE(shownToolTip(link->toolTip()), link->text());

        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        RecordedBoxes boxes;
        QLineEdit *typed = window.findChild<QComboBox *>(u"tCountry"_s)->lineEdit();
        typed->clear();
        QTest::keyClicks(typed, u"Zi"_s);
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(items("tCountry"), u"Zi|Zimbabwe|\u00C5land Islands"_s);
        QCOMPARE(boxes.titles(), QStringList { u"Error"_s });
    }

    // The previous results come back once the window is shown, with "Loading Results..." on
    // screen before the load.
    void startUpReload()
    {
        QTemporaryDir dir;
        AppContext context = m_main->context();
        context.dataDir = dir.path();
        QVERIFY(putScrambled(context.resultFilePath(), resultFileText(3)));
        frmMain window(context, shippedCountries(), shippedLocationTypes());
        auto *status = window.findChild<QLabel *>(u"lblStatus"_s);
        PaintedTexts painted(status);
        window.show();
        QTRY_COMPARE(window.findChild<QLabel *>(u"lblResults"_s)->text(), u"3 Results"_s);
        QTRY_COMPARE(
            painted.texts.join(u'|'), u"Welcome to Pellomar.|Loading Results...|Results Loaded!"_s);
        QCOMPARE(window.resultRecord(3), recordLine(3));
        // Only once: showing the window again loads nothing.
        window.hide();
        window.show();
        QVERIFY(!window.findChild<QTimer *>(u"tmrLoadPreviousResults"_s)->isActive());
    }

    // Beside the count, the time the listed results were downloaded; it stays with the rows.
    void downloadedCaption()
    {
        const std::string three = resultFileText(3);
        MainWindowHarness main(Site, &three, QDateTime(QDate(2026, 12, 6), QTime(15, 4)));
        auto *caption = main.control<QLabel>(u"lblDownloaded"_s);
        auto *count = main.control<QLabel>(u"lblResults"_s);
        QCOMPARE(count->text() + caption->text(), u"3 ResultsDownloaded 6 Dec 2026 15:04"_s);
        QCOMPARE(main.window().downloadedCaption(), caption->text());
        // Whole, just left of the count's text and on its baseline, below the status line.
        const QFontMetrics countFont(count->font());
        const int countLeft
            = count->geometry().right() - countFont.horizontalAdvance(count->text());
        QVERIFY(caption->sizeHint().width() <= caption->width());
        QVERIFY(caption->geometry().right() < countLeft
            && caption->geometry().right() > countLeft - 20);
        QCOMPARE(caption->y() + caption->fontMetrics().ascent(), count->y() + countFont.ascent());
        QVERIFY(caption->y() >= 528 && caption->geometry().bottom() < 585);
        // A file that cannot be opened leaves the rows, their count and their caption.
        const QString file = main.context().resultFilePath();
        QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        main.window().LoadResults();
        QVERIFY(main.status().startsWith(u"The results could not be loaded: "_s));
        QCOMPARE(count->text() + caption->text(), u"3 ResultsDownloaded 6 Dec 2026 15:04"_s);
        QVERIFY(QDir().rmdir(file));
        main.window().LoadResults();
        QCOMPARE(count->text() + caption->text(), u"0 Results"_s);
    }

    // Search, open, save and close by keyboard; each click on a row opens a further window,
    // which keeps its hotspot when a new search replaces the list.
    void keyboardAndDetailWindows()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.enqueue(Script::reply(Script::httpReply(Austin)));
        server.setDefaultScript(Script::reply(Script::httpReply("Other<>free<>Op<>END")));
        MainWindowHarness main(server.address());
        QVERIFY(QTest::qWaitForWindowActive(&main.window()));
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
        QTest::keyClick(focus(), Qt::Key_Tab);
        QTest::keyClick(focus(), Qt::Key_Down);
        QTest::keyClick(focus(), Qt::Key_Down);
        QTest::keyClick(focus(), Qt::Key_Return);
        QPointer<frmInfo> info = activeWindow<frmInfo>();
        QVERIFY(info && !info->parentWidget());
        QCOMPARE(info->windowTitle(), u"Alpha Bar"_s);
        QCOMPARE(info->findChild<QLabel *>(u"lblCountry"_s)->text(), u"UNITED STATES OF AMERICA"_s);
        QTest::keyClick(info, Qt::Key_Escape);
        QTRY_VERIFY(info.isNull());
        QCOMPARE(main.window().focusWidget(), main.list());

        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(main.list()->canvas(), Qt::LeftButton, {},
                main.list()->cellRect(1, ResultLayout::Column::Name).center());
        }
        info = activeWindow<frmInfo>();
        QTest::keyClick(info, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(info.isNull());
        QList<frmInfo *> zeta;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<frmInfo *>(window); open && open->isVisible())
                zeta << open;
        }
        QCOMPARE(zeta.size(), 2);
        QVERIFY(main.search());
        QVERIFY(main.window().resultRecord(1).starts_with("Other<>"));
        zeta[0]->activateWindow();
        QTRY_VERIFY(zeta[0]->isActiveWindow());
        m_saveAs = QDir(main.dataDir()).filePath(u"zeta.txt"_s);
        QTest::keyClick(zeta[0], Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(main.boxes().titles(), QStringList { u"Saved"_s });
        const QByteArray saved = fileBytes(m_saveAs);
        QVERIFY(
            saved.startsWith("Location Name: Zeta Cafe\r\nType: Free\r\nLocation Type: Cafe\r\n")
            && saved.contains("\r\nLatitude:30.25\r\nLongitude: -97.75\r\n"));

        // F1: the About window, modal and made for this showing; "Ok" closes it.
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
        QCOMPARE(m_opened, QStringList { u"http://127.0.0.1:%1"_s.arg(server.port()) });
        QTRY_VERIFY(about.isNull());
        QWidget *image = m_windows.value(u"image"_s);
        image->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(image));
        QTest::keyClick(image, Qt::Key_Escape);
        QTRY_VERIFY(m_windows.value(u"image"_s).isNull());
    }

    // "Export results..." writes the rows shown, named as chosen or with the format's extension.
    void exportResults()
    {
        const std::string two = resultFileText(2);
        MainWindowHarness main(Site, &two);
        m_saveAs = QDir(main.dataDir()).filePath(u"out"_s);
        auto *exportItem = main.control<QAction>(u"mnuexport"_s);
        exportItem->trigger();
        QVERIFY(
            fileBytes(m_saveAs + u".csv"_s).contains("\r\nName 2,free,Op 2,http://h2.example,"));
        main.control<QLineEdit>(u"txtFilter"_s)->setText(u"City 1"_s);
        m_saveAs += u".KML"_s;
        exportItem->trigger();
        QVERIFY(fileBytes(m_saveAs).contains("<name>Name 1</name>"));
        QVERIFY(!fileBytes(m_saveAs).contains("Name 2"));
        main.control<QLineEdit>(u"txtFilter"_s)->setText(u"nowhere"_s);
        exportItem->trigger();
        QCOMPARE(main.boxes().titles().join(u'|'), u"Exported|Exported|Pellomar"_s);
        QVERIFY(main.boxes().boxes[0].text.startsWith(u"2 hotspots exported to"_s));
        QCOMPARE(main.boxes().boxes[2].text, u"There are no results to export."_s);
    }

    // "Exit" ends the program at once, from inside a modal window and with downloads running.
    void exitEndsEverything()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply("HTTP/1.0 200 OK\r\n\r\n", Ending::StayOpen));
        MainWindowHarness main(server.address());
        QList<QPointer<frmInfo>> windows;
        for (const char *path : { "images/one.jpg", "images/two.jpg" }) {
            windows << new frmInfo(main.context(), recordOf({ { 17, path } }), {});
            windows.last()->show();
        }
        QVERIFY(server.waitForConnections(2));
        QPointer<frmAbout> about;
        bool aboutOpen = false;
        QTimer::singleShot(
            0, &main.window(), [&main] { main.control<QAction>(u"mnuabout"_s)->trigger(); });
        QTimer::singleShot(100, &main.window(), [&] {
            about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            aboutOpen = about && about->isVisible();
            main.control<QAction>(u"mnuexit"_s)->trigger();
        });
        QTimer::singleShot(5000, &main.window(), [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aboutOpen && !main.window().isVisible());
        QTRY_VERIFY(about.isNull());
        for (const QPointer<frmInfo> &window : std::as_const(windows))
            QVERIFY(!window || (!window->isVisible() && !window->isDownloading()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
