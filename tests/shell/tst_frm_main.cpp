#include "common/plain_text.h"
#include "platform/app_context.h"
#include "platform/message_box.h"
#include "reference/reference_table.h"
#include "shell/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace pellomar;

namespace {

QByteArray shippedFile(const char *name)
{
    QFile file(qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + QStringLiteral("/data/")
        + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The start-up reload reads (and may rewrite) the data folder's files: a folder of its own.
QTemporaryDir &dataFolder()
{
    static QTemporaryDir folder;
    return folder;
}

AppContext testContext(const QString &server = QStringLiteral("127.0.0.1:8080"))
{
    AppContext context;
    context.server = *ServerAddress::parse(server);
    context.dataDir = dataFolder().path();
    return context;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void title();
    void initialTexts();
    void countryList();
    void defaultCountryEvenWhenNotListed();
    void locationAndAccessLists();
    void listsKeepFileOrder();
    void typedTextStaysAsTyped();
    void tabOrderAndFocus();
    void geometry_data();
    void geometry();
    void fixedClientArea();
    void looks();
    void menu();
    void setStatus_data();
    void setStatus();
    void countryCode_data();
    void countryCode();
    void locationTypeCode();
    void countryName_data();
    void countryName();
    void reloadTimerStartsWhenShown();
    void linkFollowsServer();
    void linkWidensForLongAddress();

private:
    std::unique_ptr<frmMain> makeWindow(const AppContext &context = testContext());
    template<typename T> T *child(const QString &name)
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qWarning("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return found;
    }

    std::unique_ptr<frmMain> m_window;
    QList<MessageBox::Request> m_boxes;
};

std::unique_ptr<frmMain> TestFrmMain::makeWindow(const AppContext &context)
{
    return std::make_unique<frmMain>(context,
        ParseCountries(view(shippedFile("countries.txt"))).table,
        ParseLocationTypes(view(shippedFile("locations.txt"))).table);
}

void TestFrmMain::init()
{
    m_boxes.clear();
    MessageBox::setResponder([this](const MessageBox::Request &box) {
        m_boxes << box;
        return QMessageBox::Ok;
    });
    m_window = makeWindow();
}

void TestFrmMain::cleanup()
{
    m_window.reset();
    MessageBox::setResponder(nullptr);
}

void TestFrmMain::title()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Pellomar hotspot locator (v 1.1.39)"));
}

void TestFrmMain::initialTexts()
{
    QCOMPARE(
        child<QLabel>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Welcome to Pellomar."));
    QCOMPARE(child<QLabel>(QStringLiteral("lblResults"))->text(), QString());
    QCOMPARE(child<QLabel>(QStringLiteral("lblMsg"))->text(), QString());
    QCOMPARE(
        child<QPushButton>(QStringLiteral("Command1"))->text(), QStringLiteral("Search hotspots!"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("tCity"))->text(), QString());
    QCOMPARE(child<QLineEdit>(QStringLiteral("tZip"))->text(), QString());

    const QStringList label1 { QStringLiteral("Search wireless hotspots :"),
        QStringLiteral("Wireless hotspots matching your query:"),
        QStringLiteral("http://127.0.0.1:8080") };
    for (int i = 0; i < 3; ++i)
        QCOMPARE(child<QLabel>(QStringLiteral("Label1_%1").arg(i))->text(), label1[i]);
    const QStringList label2 { QStringLiteral("Country"), QStringLiteral("ZIP Code"),
        QStringLiteral("Location Type"), QStringLiteral("Hotspot Type") };
    for (int i = 0; i < 4; ++i)
        QCOMPARE(child<QLabel>(QStringLiteral("Label2_%1").arg(i))->text(), label2[i]);
    QCOMPARE(child<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("City"));
    const QStringList headings { QStringLiteral("Location Name"), QStringLiteral("Country"),
        QStringLiteral("City"), QStringLiteral("Type"), QStringLiteral("Access"),
        QStringLiteral("Operator") };
    for (int i = 0; i < 6; ++i)
        QCOMPARE(child<QLabel>(QStringLiteral("lblTitle%1").arg(i))->text(), headings[i]);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(!child<QWidget>(QStringLiteral("Picture3"))->isVisible());
    QVERIFY(child<QWidget>(QStringLiteral("Picture1"))->isVisible());
    QVERIFY(!child<QLabel>(QStringLiteral("Picture4"))->pixmap().isNull());
    QVERIFY(!child<QLabel>(QStringLiteral("Picture5"))->pixmap().isNull());
}

void TestFrmMain::countryList()
{
    auto *tCountry = child<QComboBox>(QStringLiteral("tCountry"));
    const ReferenceTable &table = m_window->countryTable();
    QVERIFY(table.rows().size() > 200);
    QCOMPARE(tCountry->count(), int(table.rows().size()));
    QCOMPARE(tCountry->itemText(0), QStringLiteral("Afghanistan"));
    QCOMPARE(tCountry->itemText(1), QStringLiteral("\u00C5land Islands"));
    QCOMPARE(tCountry->currentText(), QStringLiteral("United States of America"));
    QCOMPARE(
        tCountry->itemText(tCountry->currentIndex()), QStringLiteral("United States of America"));
    QVERIFY(tCountry->isEditable());
    QCOMPARE(tCountry->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(!tCountry->completer());
}

void TestFrmMain::defaultCountryEvenWhenNotListed()
{
    frmMain window(testContext(), ParseCountries("CA|Canada\r\nMX|Mexico\r\n").table,
        ParseLocationTypes("").table);
    auto *tCountry = window.findChild<QComboBox *>(QStringLiteral("tCountry"));
    QCOMPARE(
        itemsOf(tCountry), (QStringList { QStringLiteral("Canada"), QStringLiteral("Mexico") }));
    QCOMPARE(tCountry->currentText(), QStringLiteral("United States of America"));
}

void TestFrmMain::locationAndAccessLists()
{
    auto *tLocation = child<QComboBox>(QStringLiteral("tLocation"));
    QStringList expected { QStringLiteral("All") };
    for (const ReferenceRow &row : m_window->locationTypeTable().rows())
        expected << QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
    QCOMPARE(itemsOf(tLocation), expected);
    QVERIFY(expected.contains(QStringLiteral("Caf\u00E9")));
    QCOMPARE(tLocation->currentText(), QStringLiteral("All"));
    QVERIFY(tLocation->isEditable());

    auto *tHotspot = child<QComboBox>(QStringLiteral("tHotspot"));
    QCOMPARE(itemsOf(tHotspot),
        (QStringList { QStringLiteral("All"), QStringLiteral("free"),
            QStringLiteral("free (with registration)"), QStringLiteral("commercial") }));
    QCOMPARE(tHotspot->currentText(), QStringLiteral("All"));
    QVERIFY(tHotspot->isEditable());
    QCOMPARE(tHotspot->insertPolicy(), QComboBox::NoInsert);
}

void TestFrmMain::listsKeepFileOrder()
{
    frmMain window(testContext(),
        ParseCountries("ZW|Zimbabwe\r\n\r\nAF|Afghanistan\r\nBE|Belgium").table,
        ParseLocationTypes("Zoo,ZOO\r\nAirport,AIR\r\n").table);
    QCOMPARE(itemsOf(window.findChild<QComboBox *>(QStringLiteral("tCountry"))),
        (QStringList { QStringLiteral("Zimbabwe"), QStringLiteral("Afghanistan"),
            QStringLiteral("Belgium") }));
    QCOMPARE(itemsOf(window.findChild<QComboBox *>(QStringLiteral("tLocation"))),
        (QStringList { QStringLiteral("All"), QStringLiteral("Zoo"), QStringLiteral("Airport") }));
}

void TestFrmMain::typedTextStaysAsTyped()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *tCountry = child<QComboBox>(QStringLiteral("tCountry"));
    const int items = tCountry->count();
    tCountry->lineEdit()->clear();
    tCountry->lineEdit()->setFocus();
    // "Un" begins many names; nothing may complete it on its own.
    QTest::keyClicks(tCountry->lineEdit(), QStringLiteral("Un"));
    QCOMPARE(tCountry->currentText(), QStringLiteral("Un"));
    QTest::keyClicks(tCountry->lineEdit(), QStringLiteral("known Land"));
    QTest::keyClick(tCountry->lineEdit(), Qt::Key_Return);
    QCOMPARE(tCountry->currentText(), QStringLiteral("Unknown Land"));
    QCOMPARE(tCountry->count(), items);
    QCOMPARE(tCountry->findText(QStringLiteral("Unknown Land")), -1);
}

void TestFrmMain::tabOrderAndFocus()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *Command1 = child<QPushButton>(QStringLiteral("Command1"));
    QTRY_COMPARE(QApplication::focusWidget(), Command1);

    const QStringList order { QStringLiteral("tCountry"), QStringLiteral("tLocation"),
        QStringLiteral("tHotspot"), QStringLiteral("tZip"), QStringLiteral("tCity") };
    for (const QString &next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        auto *expected = child<QWidget>(next);
        QVERIFY2(focus == expected || expected->isAncestorOf(focus),
            qPrintable(QStringLiteral("expected %1, focus on %2").arg(next, focus->objectName())));
    }
}

void TestFrmMain::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    // Design twips / 15, rounded.
    QTest::newRow("Command1") << QStringLiteral("Command1") << QRect(576, 104, 193, 33);
    QTest::newRow("tCountry") << QStringLiteral("tCountry") << QRect(360, 40, 185, 21);
    QTest::newRow("tZip") << QStringLiteral("tZip") << QRect(632, 64, 137, 18);
    QTest::newRow("Picture4") << QStringLiteral("Picture4") << QRect(16, 40, 177, 89);
    QTest::newRow("lblTitle5") << QStringLiteral("lblTitle5") << QRect(632, 184, 105, 17);
    QTest::newRow("Picture1") << QStringLiteral("Picture1") << QRect(16, 208, 761, 289);
    QTest::newRow("lblStatus") << QStringLiteral("lblStatus") << QRect(8, 509, 705, 25);
    QTest::newRow("lblResults") << QStringLiteral("lblResults") << QRect(624, 552, 153, 25);
    QTest::newRow("Picture3") << QStringLiteral("Picture3") << QRect(-8, 264, 761, 217);
    QTest::newRow("Picture5") << QStringLiteral("Picture5") << QRect(8, 8, 361, 97);
    QTest::newRow("lblMsg") << QStringLiteral("lblMsg") << QRect(8, 152, 745, 57);
}

void TestFrmMain::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    auto *control = child<QWidget>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), pixels);
}

void TestFrmMain::fixedClientArea()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QWidget *client = m_window->centralWidget();
    QCOMPARE(client->size(), QSize(794, 588));
    // The menu bar sits above the client area, not over it.
    QCOMPARE(client->y(), m_window->menuBar()->height());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->size(), QSize(794, 588 + m_window->menuBar()->height()));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(m_window->windowFlags() & Qt::WindowCloseButtonHint);
}

void TestFrmMain::looks()
{
    auto *status = child<QLabel>(QStringLiteral("lblStatus"));
    QCOMPARE(status->font().pointSizeF(), 9.0);
    auto *results = child<QLabel>(QStringLiteral("lblResults"));
    QCOMPARE(results->font().pointSizeF(), 14.25);
    QVERIFY(results->alignment() & Qt::AlignRight);
    QVERIFY(child<QPushButton>(QStringLiteral("Command1"))->font().bold());
    QCOMPARE(child<QComboBox>(QStringLiteral("tCountry"))->font().pointSizeF(), 8.25);
    QVERIFY(!child<QLabel>(QStringLiteral("Label2_0"))->font().bold());

    auto *heading = child<QLabel>(QStringLiteral("Label1_0"));
    QVERIFY(heading->font().bold());
    QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    auto *link = child<QLabel>(QStringLiteral("Label1_2"));
    QVERIFY(link->font().bold());
    QVERIFY(link->font().underline());
    for (int i = 0; i < 6; ++i)
        QVERIFY(child<QLabel>(QStringLiteral("lblTitle%1").arg(i))->font().bold());

    auto *message = child<QLabel>(QStringLiteral("lblMsg"));
    QVERIFY(message->wordWrap());
    QVERIFY(message->font().bold());
    auto *frame = child<QWidget>(QStringLiteral("Picture1"));
    QCOMPARE(frame->palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(frame->autoFillBackground());
    QCOMPARE(m_window->centralWidget()->font().pointSizeF(), 9.75);
}

void TestFrmMain::menu()
{
    auto *mnufile = child<QMenu>(QStringLiteral("mnufile"));
    QVERIFY(mnufile);
    QCOMPARE(mnufile->title(), QStringLiteral("Options"));
    QCOMPARE(m_window->menuBar()->actions(), QList<QAction *> { mnufile->menuAction() });

    const QList<QAction *> items = mnufile->actions();
    QStringList names;
    QStringList texts;
    for (const QAction *item : items) {
        names << item->objectName();
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    // The designed items in their order; the export sits after Submit behind a separator.
    QCOMPARE(names,
        (QStringList { QStringLiteral("mnusubmit"), QStringLiteral("mnuexportSeparator"),
            QStringLiteral("mnuexport"), QStringLiteral("gghj"), QStringLiteral("mnuabout"),
            QStringLiteral("fggfh"), QStringLiteral("mnuexit") }));
    QCOMPARE(texts,
        (QStringList { QStringLiteral("&Submit a Hotspot"), QStringLiteral("-"),
            QStringLiteral("Export results\u2026"), QStringLiteral("-"), QStringLiteral("&About"),
            QStringLiteral("-"), QStringLiteral("&Exit") }));
    QCOMPARE(items[4]->shortcut(), QKeySequence(Qt::Key_F1));
}

void TestFrmMain::setStatus_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("stage") << QStringLiteral("Connecting...");
    QTest::newRow("empty") << QString();
    QTest::newRow("accents") << QStringLiteral("Caf\u00E9 found");
}

void TestFrmMain::setStatus()
{
    QFETCH(QString, text);
    m_window->SetStatus(text);
    QCOMPARE(child<QLabel>(QStringLiteral("lblStatus"))->text(), text);
}

void TestFrmMain::countryCode_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("code");

    QTest::newRow("as listed") << QByteArray("United States of America") << QByteArray("US");
    QTest::newRow("other case and spaces") << QByteArray("  GERMANY ") << QByteArray("DE");
    QTest::newRow("picked from the list, UTF-8")
        << QByteArray("\xC3\x85land Islands") << QByteArray("AX");
    QTest::newRow("not listed") << QByteArray("Atlantis") << QByteArray();
}

void TestFrmMain::countryCode()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, code);
    QCOMPARE(QByteArray::fromStdString(m_window->GetCountryCode(view(name))), code);
    if (!code.isEmpty()) {
        QVERIFY(m_boxes.isEmpty());
        return;
    }
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(
        m_boxes[0].text, QStringLiteral("Invalid Country. Please reselect from the list options."));
    QCOMPARE(m_boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestFrmMain::locationTypeCode()
{
    QCOMPARE(m_window->GetLocationTypeCode(" airport "), std::string("AIR"));
    QCOMPARE(m_window->GetLocationTypeCode("Caf\xC3\xA9"), std::string("CAFE"));
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(m_window->GetLocationTypeCode("Spaceport"), std::string());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(m_boxes[0].text,
        QStringLiteral("Invalid Location Type. Please reselect from the list options."));
}

void TestFrmMain::countryName_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("listed") << QByteArray("US") << QByteArray("UNITED STATES OF AMERICA");
    QTest::newRow("lower case") << QByteArray(" fr ") << QByteArray("FRANCE");
    QTest::newRow("letters beyond ASCII") << QByteArray("AX") << QByteArray("\xC3\x85LAND ISLANDS");
    QTest::newRow("not listed") << QByteArray("QQ") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestFrmMain::countryName()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, name);
    QCOMPARE(QByteArray::fromStdString(m_window->GetCountryName(view(code))), name);
    QVERIFY(m_boxes.isEmpty());
}

void TestFrmMain::reloadTimerStartsWhenShown()
{
    auto *timer = child<QTimer>(QStringLiteral("tmrLoadPreviousResults"));
    QVERIFY(timer);
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 200);
    QVERIFY(!timer->isActive());
    m_window->show();
    QVERIFY(timer->isActive());
    QTRY_VERIFY(!timer->isActive());
    // Showing the window again does not reload again.
    m_window->hide();
    m_window->show();
    QVERIFY(!timer->isActive());
}

void TestFrmMain::linkFollowsServer()
{
    auto window = makeWindow(testContext(QStringLiteral("directory.example.org")));
    auto *link = window->findChild<QLabel *>(QStringLiteral("Label1_2"));
    QCOMPARE(link->text(), QStringLiteral("http://directory.example.org"));
    QCOMPARE(link->geometry(), QRect(24, 128, 217, 17));
}

void TestFrmMain::linkWidensForLongAddress()
{
    const QString host = QStringLiteral("a-rather-long-directory-host-name.example.org:8080");
    auto window = makeWindow(testContext(host));
    auto *link = window->findChild<QLabel *>(QStringLiteral("Label1_2"));
    QCOMPARE(link->text(), QStringLiteral("http://") + host);
    QVERIFY(link->width() > 217);
    // Never over the search button.
    QVERIFY(
        link->geometry().right() < window->findChild<QWidget *>(QStringLiteral("Command1"))->x());
    QCOMPARE(test::shownToolTip(link->toolTip()), link->text());
    // Nothing on the window reads server, file or user text as markup.
    QCOMPARE(test::labelsReadingMarkup(window.get()), QStringList());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frm_main.moc"
