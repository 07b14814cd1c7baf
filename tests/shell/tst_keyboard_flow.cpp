#include "common/scripted_server.h"
#include "details/frm_image.h"
#include "details/frm_info.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "results/column_heading.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace pellomar;
using namespace pellomar::test;

namespace {

ReferenceTable referenceTable(const char *file, bool countries)
{
    const FileRead read = readWholeFile(
        qEnvironmentVariable("PELLOMAR_BIN_DIR") + u'/' + QString::fromLatin1(file));
    return countries ? ParseCountries(asView(read.data)).table
                     : ParseLocationTypes(asView(read.data)).table;
}

// Three hotspots; by operator they sort 3, 1, 2.
const QByteArray Reply
    = "Zeta Cafe<>free<>Op B<>www.z.example<>555<>z@x<>Cafe<>1 Road<>10001"
      "<>Austin<>US<>30.25<>-97.75<>1<>ssid<>desc<>END"
      "Alpha Bar<>comm<>Op C<><><><>Bar<>2 Road<>10002<>Austin<>US<><><><><><>END"
      "Mid Hotel<>reg<>Op A<><><><>Hotel<>3 Road<>10003<>Austin<>US<>0<>0"
      "<><><><>END";

QWidget *focus()
{
    return QApplication::focusWidget();
}

} // namespace

class TestKeyboardFlow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchOpenSaveAndCloseWithoutAMouse();
    void sortingKeepsWhatOpensAndSaves();
    void exportWritesTheShownRows_data();
    void exportWritesTheShownRows();
    void exportFailureKeepsTheOldFile();
    void escapeClosesAboutAndImage();
    void controlsHaveAccessibleNames();

private:
    void search();
    frmInfo *waitForDetailWindow();
    QString savedText(frmInfo *info, const QString &name);
    ResultListView *list() const
    {
        return m_window->findChild<ResultListView *>(QStringLiteral("Picture1"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<frmMain> m_window;
    QList<MessageBox::Request> m_boxes;
    QString m_saveAs;
    QList<SaveDialog::Request> m_dialogs;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
};

void TestKeyboardFlow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_server = std::make_unique<ScriptedServer>();
    QVERIFY(m_server->listen());
    m_server->setDefaultScript(Script::reply(Script::httpReply(Reply)));
    m_boxes.clear();
    m_dialogs.clear();
    m_answer = QMessageBox::Ok;
    MessageBox::setResponder([this](const MessageBox::Request &request) {
        m_boxes << request;
        return m_answer;
    });
    SaveDialog::setResponder([this](const SaveDialog::Request &request) {
        m_dialogs << request;
        return m_saveAs;
    });
    AppContext context;
    context.server = m_server->address();
    context.dataDir = m_dir->path();
    context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
    m_window = std::make_unique<frmMain>(
        context, referenceTable("countries.txt", true), referenceTable("locations.txt", false));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestKeyboardFlow::cleanup()
{
    m_window.reset();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmInfo *>(widget) || qobject_cast<frmImage *>(widget))
            delete widget;
    }
    MessageBox::setResponder({});
    SaveDialog::setResponder({});
    m_server.reset();
    m_dir.reset();
}

// From the button: Tab through the form to the city, type it, Enter.
void TestKeyboardFlow::search()
{
    auto *Command1 = m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
    QTRY_COMPARE(focus(), Command1);
    // Wait for the start-up reload, so it does not land on top of the search.
    QTRY_COMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblStatus"))->text(),
        QStringLiteral("Results Loaded!"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(focus(), Qt::Key_Tab);
    auto *tCity = m_window->findChild<QLineEdit *>(QStringLiteral("tCity"));
    QCOMPARE(focus(), tCity);
    QTest::keyClicks(tCity, QStringLiteral("Austin"));
    // One more Tab reaches the filter, and back.
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus()->objectName(), QStringLiteral("txtFilter"));
    QTest::keyClick(focus(), Qt::Key_Backtab);
    QCOMPARE(focus(), tCity);
    QTest::keyClick(focus(), Qt::Key_Return);
    QTRY_COMPARE(list()->rowCount(), 3);
    QVERIFY(m_server->request(0).startsWith("GET /browse-app.php?country=US&city=Austin "));
    QTRY_COMPARE(focus(), list());
}

frmInfo *TestKeyboardFlow::waitForDetailWindow()
{
    frmInfo *found = nullptr;
    const bool opened = QTest::qWaitFor([&found] {
        found = qobject_cast<frmInfo *>(QApplication::activeWindow());
        return found != nullptr;
    });
    return opened ? found : nullptr;
}

QString TestKeyboardFlow::savedText(frmInfo *info, const QString &name)
{
    m_saveAs = m_dir->filePath(name);
    QTest::keyClick(info, Qt::Key_S, Qt::ControlModifier);
    const FileRead read = readWholeFile(m_saveAs);
    return read.ok() ? QString::fromUtf8(read.data) : QString();
}

void TestKeyboardFlow::searchOpenSaveAndCloseWithoutAMouse()
{
    search();
    QCOMPARE(list()->SelectedRow(), 0);
    QTest::keyClick(focus(), Qt::Key_Down);
    QTest::keyClick(focus(), Qt::Key_Down);
    QCOMPARE(list()->SelectedRow(), 2);
    QTest::keyClick(focus(), Qt::Key_Return);
    QPointer<frmInfo> info = waitForDetailWindow();
    QVERIFY(info);
    QCOMPARE(info->windowTitle(), QStringLiteral("Alpha Bar"));

    const QString text = savedText(info, QStringLiteral("alpha.txt"));
    QVERIFY2(text.startsWith(QStringLiteral("Location Name: Alpha Bar\r\nType: Comm\r\n")),
        qPrintable(text));
    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Saved"));

    QTest::keyClick(info, Qt::Key_Escape);
    QTRY_VERIFY(info.isNull());
    // Back in the main window the list still has the keys.
    QCOMPARE(m_window->focusWidget(), list());
}

void TestKeyboardFlow::sortingKeepsWhatOpensAndSaves()
{
    search();
    // Back from the list to the last heading, Operator; Space sorts by it.
    QTest::keyClick(focus(), Qt::Key_Backtab);
    auto *operatorHeading = m_window->findChild<ColumnHeading *>(QStringLiteral("lblTitle5"));
    QCOMPARE(focus(), operatorHeading);
    QTest::keyClick(focus(), Qt::Key_Space);
    QCOMPARE(operatorHeading->sortMark(), std::optional(Qt::AscendingOrder));
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), list());

    // First on screen is hotspot 3, and it keeps its number.
    QTest::keyClick(focus(), Qt::Key_Home);
    QCOMPARE(list()->SelectedRow(), 3);
    QCOMPARE(list()->model()->caption(3, ResultLayout::Column::Number), QStringLiteral("3"));
    QTest::keyClick(focus(), Qt::Key_Enter);
    QPointer<frmInfo> info = waitForDetailWindow();
    QVERIFY(info);
    QCOMPARE(info->windowTitle(), QStringLiteral("Mid Hotel"));
    QVERIFY(savedText(info, QStringLiteral("mid.txt"))
                .startsWith(QStringLiteral("Location Name: Mid Hotel\r\n")));
    QTest::keyClick(info, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(info.isNull());

    // A click on the second place opens the hotspot painted there: 1.
    QTest::mouseClick(list()->canvas(), Qt::LeftButton, {},
        list()->cellRect(2, ResultLayout::Column::City).center());
    info = waitForDetailWindow();
    QVERIFY(info);
    QCOMPARE(info->windowTitle(), QStringLiteral("Zeta Cafe"));
    QVERIFY(savedText(info, QStringLiteral("zeta.txt"))
                .contains(QStringLiteral("Latitude:30.25\r\nLongitude: -97.75\r\n")));
    QTest::keyClick(info, Qt::Key_Escape);
    QTRY_VERIFY(info.isNull());
}

void TestKeyboardFlow::exportWritesTheShownRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expect"); // a piece of the file
    QTest::addColumn<QString>("message");
    QTest::newRow("csv, extension added")
        << QStringLiteral("out") << QStringLiteral("out.csv")
        << QStringLiteral("Mid Hotel,reg,Op A,,,,Hotel,3 Road,10003,Austin,US,0,0,,,,\r\n"
                          "Zeta Cafe,free,Op B,")
        << QStringLiteral("3 hotspots exported to");
    QTest::newRow("gpx skips unknown positions")
        << QStringLiteral("out.gpx") << QStringLiteral("out.gpx")
        << QStringLiteral("<wpt lat=\"30.25\" lon=\"-97.75\"><name>Zeta Cafe</name>")
        << QStringLiteral("2 hotspots without valid coordinates left out.");
    QTest::newRow("kml in capitals") << QStringLiteral("out.KML") << QStringLiteral("out.KML")
                                     << QStringLiteral("<coordinates>-97.75,30.25</coordinates>")
                                     << QStringLiteral("1 hotspot exported to");
}
void TestKeyboardFlow::exportWritesTheShownRows()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(QString, expect);
    QFETCH(QString, message);
    search();
    list()->sortByColumn(ResultLayout::Column::Operator);
    m_saveAs = m_dir->filePath(name);
    auto *mnuexport = m_window->findChild<QAction *>(QStringLiteral("mnuexport"));
    QVERIFY(mnuexport);
    QCOMPARE(mnuexport->text(), QStringLiteral("Export results\u2026"));
    mnuexport->trigger();
    QCOMPARE(m_dialogs.size(), 1);
    QVERIFY(m_dialogs[0].filter.contains(QStringLiteral("*.gpx")));
    const FileRead read = readWholeFile(m_dir->filePath(written));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QVERIFY2(QString::fromUtf8(read.data).contains(expect), read.data.constData());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Exported"));
    QVERIFY2(m_boxes[0].text.contains(message), qPrintable(m_boxes[0].text));
}

void TestKeyboardFlow::exportFailureKeepsTheOldFile()
{
    search();
    auto *mnuexport = m_window->findChild<QAction *>(QStringLiteral("mnuexport"));
    // A folder that does not exist: the reason is shown, nothing is written.
    m_saveAs = m_dir->filePath(QStringLiteral("missing/out.csv"));
    mnuexport->trigger();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QVERIFY(m_boxes[0].text.startsWith(QStringLiteral("The results could not be exported.")));
    QVERIFY(m_boxes[0].text.size() > 40); // with its reason

    // An existing file: No keeps it as it was.
    m_saveAs = m_dir->filePath(QStringLiteral("kept.csv"));
    QCOMPARE(writeFileAtomically(m_saveAs, "old"), QString());
    m_answer = QMessageBox::No;
    mnuexport->trigger();
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes[1].text, QStringLiteral("File exists... would you like to overwrite?"));
    QCOMPARE(readWholeFile(m_saveAs).data, QByteArray("old"));

    // A filter that hides every row leaves nothing to export.
    m_window->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(QStringLiteral("qqq"));
    mnuexport->trigger();
    QCOMPARE(m_boxes.size(), 3);
    QCOMPARE(m_boxes[2].text, QStringLiteral("There are no results to export."));
    QCOMPARE(m_dialogs.size(), 2);
}

void TestKeyboardFlow::escapeClosesAboutAndImage()
{
    bool aboutSeen = false;
    QTimer::singleShot(0, this, [&aboutSeen] {
        QWidget *about = QApplication::activeModalWidget();
        aboutSeen = qobject_cast<frmAbout *>(about) != nullptr;
        if (about)
            QTest::keyClick(about, Qt::Key_Escape);
    });
    QTest::keyClick(m_window.get(), Qt::Key_F1); // returns once the About window has closed
    QVERIFY(aboutSeen);
    QVERIFY(!QApplication::activeModalWidget());

    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QPointer<frmImage> image = frmImage::showPicture(picture);
    QVERIFY(QTest::qWaitForWindowActive(image));
    QTest::keyClick(image, Qt::Key_Escape);
    QTRY_VERIFY(image.isNull() || !image->isVisible());
}

void TestKeyboardFlow::controlsHaveAccessibleNames()
{
    const QList<QPair<QString, QString>> names {
        { QStringLiteral("tCountry"), QStringLiteral("Country") },
        { QStringLiteral("tCity"), QStringLiteral("City") },
        { QStringLiteral("tZip"), QStringLiteral("ZIP Code") },
        { QStringLiteral("tLocation"), QStringLiteral("Location Type") },
        { QStringLiteral("tHotspot"), QStringLiteral("Hotspot Type") },
        { QStringLiteral("txtFilter"), QStringLiteral("Filter") },
        { QStringLiteral("Command1"), QStringLiteral("Search hotspots!") },
        { QStringLiteral("lblTitle0"), QStringLiteral("Location Name") },
        { QStringLiteral("Picture1"), QStringLiteral("Results") },
    };
    for (const auto &[object, name] : names) {
        auto *widget = m_window->findChild<QWidget *>(object);
        QVERIFY2(widget, qPrintable(object));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        if (accessible->role() == QAccessible::ComboBox) {
            // On Linux a combo box's name is its text; its caption comes as its label.
            QCOMPARE(widget->accessibleName(), name);
            const auto labels = accessible->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->text(QAccessible::Name), name);
        } else {
            QCOMPARE(accessible->text(QAccessible::Name), name);
        }
    }
    // Every control a user can reach with Tab carries a name.
    for (QWidget *widget : m_window->findChildren<QWidget *>()) {
        // A combo box's own line edit is part of the combo box, which carries the name.
        if (qobject_cast<QComboBox *>(widget->parentWidget()))
            continue;
        if (widget->focusPolicy() & Qt::TabFocus && widget->isVisibleTo(m_window.get())) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(),
                widget->metaObject()->className());
        }
    }
}

QTEST_MAIN(TestKeyboardFlow)
#include "tst_keyboard_flow.moc"
