#include "../results/result_test_files.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "reference/reference_table.h"
#include "shell/download_caption.h"
#include "shell/frm_main.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace pellomar;

namespace {

bool setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite)
        && file.setFileTime(when, QFileDevice::FileModificationTime);
}

} // namespace

// The "Downloaded ..." caption beside the result count: its wording in several locales, and
// the main window keeping it in step with the list on screen.
class TestDownloadCaption : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void wording_data();
    void wording();
    void invalidTimeGivesNothing();
    void loadShowsTheFileTime();
    void noFileNoCaption();
    void failedLoadKeepsTheCaption();
    void newDownloadReplacesTheCaption();
    void sitsBesideTheCount_data();
    void sitsBesideTheCount();

private:
    QString resultFile() const { return m_dir->filePath(QStringLiteral("tmp.txt")); }
    QLabel *label(const char *name) const
    {
        return m_window->findChild<QLabel *>(QString::fromLatin1(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_window;
};

void TestDownloadCaption::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    AppContext context;
    context.server = *ServerAddress::parse(QStringLiteral("127.0.0.1:9"));
    context.dataDir = m_dir->path();
    m_window
        = std::make_unique<frmMain>(context, ParseCountries("US|United States of America\n").table,
            ParseLocationTypes("Cafe,C\n").table);
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });
}

void TestDownloadCaption::cleanup()
{
    MessageBox::setResponder(nullptr);
    m_window.reset();
    m_dir.reset();
}

void TestDownloadCaption::wording_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("caption");
    const QDateTime afternoon(QDate(2026, 12, 6), QTime(15, 4, 59));
    const QDateTime morning(QDate(2027, 1, 31), QTime(9, 5));
    QTest::newRow("British") << QStringLiteral("en_GB") << afternoon
                             << QStringLiteral("Downloaded 6 Dec 2026 15:04");
    QTest::newRow("American 12-hour clock") << QStringLiteral("en_US") << afternoon
                                            << QStringLiteral("Downloaded 6 Dec 2026 3:04\u202fPM");
    QTest::newRow("German month") << QStringLiteral("de_DE") << afternoon
                                  << QStringLiteral("Downloaded 6 Dez. 2026 15:04");
    QTest::newRow("C locale, no seconds")
        << QStringLiteral("C") << afternoon << QStringLiteral("Downloaded 6 Dec 2026 15:04");
    QTest::newRow("French month") << QStringLiteral("fr_FR") << morning
                                  << QStringLiteral("Downloaded 31 janv. 2027 09:05");
}

void TestDownloadCaption::wording()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, when);
    QFETCH(QString, caption);
    QString got = downloadedCaption(when, QLocale(locale));
    // Locale data differs between Qt releases in the space before AM/PM; the test does not.
    got.replace(u' ', u'\u202f');
    caption.replace(u' ', u'\u202f');
    QCOMPARE(got, caption);
}

void TestDownloadCaption::invalidTimeGivesNothing()
{
    QCOMPARE(downloadedCaption(QDateTime()), QString());
    QCOMPARE(resultFileCaption(m_dir->filePath(QStringLiteral("none.txt"))), QString());
    // A folder where the file should be is no download.
    QCOMPARE(resultFileCaption(m_dir->path()), QString());
}

void TestDownloadCaption::loadShowsTheFileTime()
{
    const QDateTime when(QDate(2026, 12, 6), QTime(15, 4));
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(3)));
    QVERIFY(setModified(resultFile(), when));
    m_window->LoadResults();
    QCOMPARE(m_window->downloadedCaption(), downloadedCaption(when));
    QCOMPARE(label("lblDownloaded")->text(), m_window->downloadedCaption());
    QVERIFY(m_window->downloadedCaption().startsWith(QStringLiteral("Downloaded ")));
    // The loader leaves the file's time alone, so loading again shows the same time.
    m_window->LoadResults();
    QCOMPARE(m_window->downloadedCaption(), downloadedCaption(when));
    // The designed status texts are untouched.
    QCOMPARE(label("lblStatus")->text(), QStringLiteral("Results Loaded!"));
    QCOMPARE(label("lblResults")->text(), QStringLiteral("3 Results"));
}

void TestDownloadCaption::noFileNoCaption()
{
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(2)));
    m_window->LoadResults();
    QVERIFY(!m_window->downloadedCaption().isEmpty());
    QVERIFY(QFile::remove(resultFile()));
    m_window->LoadResults();
    QCOMPARE(label("lblResults")->text(), QStringLiteral("0 Results"));
    QCOMPARE(m_window->downloadedCaption(), QString());
}

void TestDownloadCaption::failedLoadKeepsTheCaption()
{
    const QDateTime when(QDate(2025, 3, 1), QTime(8, 30));
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(4)));
    QVERIFY(setModified(resultFile(), when));
    m_window->LoadResults();
    const QString before = m_window->downloadedCaption();
    QCOMPARE(before, downloadedCaption(when));
    // A file that cannot be opened keeps the list, and the caption still tells its age.
    QVERIFY(QFile::remove(resultFile()));
    QVERIFY(QDir().mkdir(resultFile()));
    m_window->LoadResults();
    QVERIFY(
        label("lblStatus")->text().startsWith(QStringLiteral("The results could not be loaded")));
    QCOMPARE(label("lblResults")->text(), QStringLiteral("4 Results"));
    QCOMPARE(m_window->downloadedCaption(), before);
}

void TestDownloadCaption::newDownloadReplacesTheCaption()
{
    const QDateTime old(QDate(2024, 5, 20), QTime(10, 0));
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(1)));
    QVERIFY(setModified(resultFile(), old));
    m_window->LoadResults();
    QCOMPARE(m_window->downloadedCaption(), downloadedCaption(old));
    // A search replaces the file: the caption follows the new file's time.
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(2)));
    const QDateTime fresh = QFileInfo(resultFile()).lastModified();
    m_window->LoadResults();
    QCOMPARE(m_window->downloadedCaption(), downloadedCaption(fresh));
    QVERIFY(m_window->downloadedCaption() != downloadedCaption(old));
}

void TestDownloadCaption::sitsBesideTheCount_data()
{
    QTest::addColumn<int>("records");
    QTest::newRow("one digit") << 7;
    QTest::newRow("three digits") << 300;
}

void TestDownloadCaption::sitsBesideTheCount()
{
    QFETCH(int, records);
    QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(records)));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->LoadResults();
    QLabel *caption = label("lblDownloaded");
    QLabel *count = label("lblResults");
    QVERIFY(caption->isVisible());
    // Whole, left of the count's text, inside the bottom panel and below the status line.
    QVERIFY(caption->sizeHint().width() <= caption->width());
    const QFontMetrics countMetrics(count->font());
    const int countTextLeft
        = count->geometry().right() - countMetrics.horizontalAdvance(count->text());
    QVERIFY(caption->geometry().right() < countTextLeft);
    QVERIFY(caption->geometry().right() > countTextLeft - 20);
    QVERIFY(caption->y() >= twips(7920));
    QVERIFY(caption->geometry().bottom() < twips(7920 + 855));
    QVERIFY(!caption->geometry().intersects(label("lblStatus")->geometry()));
    // The two texts share a baseline.
    QCOMPARE(caption->y() + caption->fontMetrics().ascent(), count->y() + countMetrics.ascent());
}

QTEST_MAIN(TestDownloadCaption)
#include "tst_download_caption.moc"
