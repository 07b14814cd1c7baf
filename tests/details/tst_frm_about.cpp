#include "common/plain_text.h"
#include "platform/browser.h"
#include "platform/look.h"
#include "shell/frm_about.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace pellomar;

class tst_frmAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void layoutAndTexts_data();
    void layoutAndTexts();
    void window();
    void linkOpensTheSite_data();
    void linkOpensTheSite();
    void okClosesTheModalWindow();
};

void tst_frmAbout::cleanup()
{
    setBrowserOpener({});
}

void tst_frmAbout::layoutAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("place");
    const auto row = [](const char *name, const QString &text, QRect place) {
        QTest::newRow(name) << QString::fromLatin1(name) << text << place;
    };
    row("Label2", QStringLiteral("Pellomar hotspot finder"), twipsRect(120, 1560, 3255, 255));
    row("Label5",
        QStringLiteral("Locate WiFi hotspots around the world, with our easy to use application. "
                       "You may also submit your own hotspots to our database."),
        twipsRect(120, 2280, 5175, 615));
    row("Label1", QStringLiteral("website : http://hotspots.example:8080"),
        twipsRect(120, 3240, 3855, 255));
    row("Picture1", QString(), twipsRect(0, 0, 5385, 1500));
}

void tst_frmAbout::layoutAndTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, place);
    frmAbout about(QStringLiteral("http://hotspots.example:8080"));
    auto *label = about.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->geometry(), place);
}

void tst_frmAbout::window()
{
    frmAbout about(QStringLiteral("http://hotspots.example"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Pellomar hotspot finder"));
    QCOMPARE(about.size(), QSize(twips(5385), twips(3630)));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(about.isModal());
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
    const QFont heading = about.findChild<QLabel *>(QStringLiteral("Label2"))->font();
    QVERIFY(heading.bold());
    QCOMPARE(heading.pointSizeF(), 9.75);
    const QFont link = about.findChild<QLabel *>(QStringLiteral("Label1"))->font();
    QVERIFY(link.bold() && link.underline());
    QVERIFY(about.findChild<QLabel *>(QStringLiteral("Label5"))->wordWrap());
    auto *ok = about.findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));
    QCOMPARE(ok->geometry(), twipsRect(4080, 3120, 1215, 375));
    QVERIFY(about.findChild<QWidget *>(QStringLiteral("Line1")));
    QCOMPARE(test::labelsReadingMarkup(&about), QStringList());
    const QString marked = QStringLiteral("http://a.example/<b>b</b>");
    const frmAbout markup(marked);
    QCOMPARE(test::shownToolTip(markup.findChild<QLabel *>(QStringLiteral("Label1"))->toolTip()),
        marked);
}

void tst_frmAbout::linkOpensTheSite_data()
{
    QTest::addColumn<QString>("site");
    QTest::newRow("default port") << QStringLiteral("http://hotspots.example");
    QTest::newRow("other port") << QStringLiteral("http://127.0.0.1:41234");
}

void tst_frmAbout::linkOpensTheSite()
{
    QFETCH(QString, site);
    QStringList opened;
    setBrowserOpener([&opened](const QString &address) { opened.append(address); });
    frmAbout about(site);
    about.show();
    QTest::mouseClick(about.findChild<QLabel *>(QStringLiteral("Label1")), Qt::LeftButton);
    QCOMPARE(opened, QStringList { site });
    QVERIFY(about.isVisible());
}

void tst_frmAbout::okClosesTheModalWindow()
{
    frmAbout about(QStringLiteral("http://hotspots.example"));
    bool wasModal = false;
    QTimer::singleShot(0, &about, [&about, &wasModal] {
        wasModal = QApplication::activeModalWidget() == &about;
        QTest::mouseClick(
            about.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &about, &QDialog::reject);
    watchdog.start(5000);
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(wasModal);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frm_about.moc"
