#include "details/frm_info.h"
#include "platform/browser.h"
#include "platform/look.h"

#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;

namespace {

std::string withPosition(const char *latitude, const char *longitude)
{
    const QList<QByteArray> fields { "Cafe Lumen", "free", "Lumen Networks", "www.lumen.example",
        "0", "", "Cafe", "12 Main Street", "10115", "Berlin", "de", latitude, longitude, "3",
        "LumenFree", "", "" };
    return fields.join("<>").toStdString();
}

} // namespace

// "Show on map" on the detail window: where it sits, when it shows and what it opens.
class tst_frmInfoMap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sitsInFreeSpace();
    void shownOnlyForAPosition_data();
    void shownOnlyForAPosition();
    void clickOpensTheMap();

private:
    frmInfo *open(const std::string &record);

    std::unique_ptr<QTemporaryDir> m_tmp;
    AppContext m_context;
    QStringList m_opened;
    QList<QPointer<frmInfo>> m_windows;
};

void tst_frmInfoMap::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_context.dataDir = m_tmp->path();
    // Nothing listens there: the records name no picture anyway.
    m_context.server = ServerAddress { QStringLiteral("127.0.0.1"), 9 };
    m_opened.clear();
    setBrowserOpener([this](const QString &address) { m_opened.append(address); });
}

void tst_frmInfoMap::cleanup()
{
    for (const QPointer<frmInfo> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    setBrowserOpener({});
    m_tmp.reset();
}

frmInfo *tst_frmInfoMap::open(const std::string &record)
{
    auto *window = new frmInfo(m_context, record, [](std::string_view) { return std::string(); });
    m_windows.append(window);
    window->show();
    return window;
}

void tst_frmInfoMap::sitsInFreeSpace()
{
    frmInfo *window = open(withPosition("52.52", "13.405"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *link = window->findChild<QLabel *>(QStringLiteral("mapLink"));
    QVERIFY(link);
    QVERIFY(link->isVisible());
    QCOMPARE(link->accessibleName(), QStringLiteral("Show on map"));
    // On the title band, right of its heading, clear of every designed control.
    const QRect band = twipsRect(120, 120, 9135, 375);
    QVERIFY(band.contains(link->geometry()));
    for (QWidget *other : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QString name = other->objectName();
        if (other == link || name.startsWith(QStringLiteral("Shape")))
            continue;
        QVERIFY2(!other->geometry().intersects(link->geometry()), qPrintable(name));
    }
    // The whole caption fits: nothing cut off.
    QVERIFY(link->sizeHint().width() <= link->width());
    QVERIFY(link->sizeHint().height() <= link->height() + 1);
}

void tst_frmInfoMap::shownOnlyForAPosition_data()
{
    QTest::addColumn<QByteArray>("latitude");
    QTest::addColumn<QByteArray>("longitude");
    QTest::addColumn<bool>("shown");
    QTest::newRow("position") << QByteArray("52.52") << QByteArray("13.405") << true;
    QTest::newRow("no coordinates") << QByteArray("") << QByteArray("") << false;
    QTest::newRow("latitude missing") << QByteArray("") << QByteArray("13.405") << false;
    QTest::newRow("out of range") << QByteArray("95") << QByteArray("13.405") << false;
    QTest::newRow("not numbers") << QByteArray("north") << QByteArray("east") << false;
}

void tst_frmInfoMap::shownOnlyForAPosition()
{
    QFETCH(QByteArray, latitude);
    QFETCH(QByteArray, longitude);
    QFETCH(bool, shown);
    frmInfo *window = open(withPosition(latitude.constData(), longitude.constData()));
    auto *link = window->findChild<QLabel *>(QStringLiteral("mapLink"));
    QCOMPARE(link->isVisible(), shown);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(link->width() - 8, 6));
    QCOMPARE(m_opened.size(), shown ? 1 : 0);
}

void tst_frmInfoMap::clickOpensTheMap()
{
    frmInfo *window = open(withPosition("-33.8688", "151.2093"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *link = window->findChild<QLabel *>(QStringLiteral("mapLink"));
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened,
        QStringList { QStringLiteral("https://www.openstreetmap.org/"
                                     "?mlat=-33.8688&mlon=151.2093#map=17/-33.8688/151.2093") });
}

QTEST_MAIN(tst_frmInfoMap)
#include "tst_frm_info_map.moc"
