// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "details/frm_info.h"
#include "map/map_window.h"
#include "results/result_layout.h"
#include "search/search_reply.h"
#include "shell/download_caption.h"
#include "shell/frm_about.h"
#include "shell/translations.h"

#include <QDirIterator>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

class TestTranslations : public QObject {
    Q_OBJECT

    static void languages()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption"); // of a download on 6 December 2026 at 15:04
        QTest::newRow("de") << u"de"_s << u"Heruntergeladen am 6. Dez. 2026 um 15:04"_s;
        QTest::newRow("fr") << u"fr"_s << QString();
        QTest::newRow("es") << u"es"_s << QString();
    }

private Q_SLOTS:
    void cleanup()
    {
        qDeleteAll(qApp->findChildren<QTranslator *>());
        QLocale::setDefault(QLocale::c());
    }

    // The file is what lupdate makes of today's sources (no text missing, none left over), no
    // message is unfinished, and every translation (each plural form) has its source's
    // placeholders.
    void complete_data() { languages(); }
    void complete()
    {
        QFETCH(QString, language);
        const QString committed
            = u"%1/translations/pellomar_%2.ts"_s.arg(QStringLiteral(PELLOMAR_SOURCE), language);
        QTemporaryDir dir;
        const QString updated = dir.filePath(u"updated.ts"_s);
        QVERIFY(QFile::copy(committed, updated));
        QStringList arguments { u"-silent"_s, u"-no-obsolete"_s, u"-locations"_s, u"none"_s,
            u"-I"_s, PELLOMAR_SOURCE "/src"_L1 };
        for (QDirIterator it(PELLOMAR_SOURCE "/src"_L1, { u"*.cpp"_s, u"*.h"_s }, QDir::Files,
                 QDirIterator::Subdirectories);
             it.hasNext();)
            arguments << it.next();
        QCOMPARE(
            QProcess::execute(QStringLiteral(PELLOMAR_LUPDATE), arguments << u"-ts"_s << updated),
            0);
        const QString text = QString::fromUtf8(fileBytes(committed));
        QCOMPARE(QString::fromUtf8(fileBytes(updated)), text);
        QVERIFY(!text.contains(u"type=\""_s));
        // Texts the Qt-free rules make are translated where they are shown, by their English
        // words: a rule reworded without its translation would show in English unnoticed.
        QTranslator translator;
        QVERIFY(
            translator.load(u"pellomar_"_s + language, qEnvironmentVariable("PELLOMAR_BIN_DIR")));
        for (const char *reply : { "", "HTTP/1.0 200 OK\r\nServer: x", "HELLO\r\n\r\n",
                 "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                 "HTTP/1.0 200 OK\r\n\r\n<html>" }) {
            const std::string error = processReply(reply).error;
            QVERIFY2(!translator.translate("pellomar::SearchReply", error.c_str()).isEmpty(),
                error.c_str());
        }
        for (const char *column : ResultLayout::ColumnNames)
            QVERIFY2(!translator.translate("pellomar::ResultLayout", column).isEmpty(), column);
        static const QRegularExpression message(
            u"<source>(.*?)</source>.*?<translation>(.*?)</translation>"_s,
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression placeholder(u"%L?([1-9n])"_s);
        const auto placeholders = [](const QString &text) {
            QStringList found;
            for (const auto &match : placeholder.globalMatch(text))
                found << match.captured(1);
            found.sort();
            found.removeDuplicates();
            return found;
        };
        for (const auto &match : message.globalMatch(text)) {
            const bool numerus = match.captured(2).contains(u"<numerusform>"_s);
            for (QString form : match.captured(2).split(u"</numerusform>"_s)) {
                form.remove(QRegularExpression(u"\\s*<numerusform>"_s));
                if (numerus && form.trimmed().isEmpty())
                    continue; // after the last form
                QVERIFY2(!form.isEmpty() && placeholders(form) == placeholders(match.captured(1)),
                    qPrintable(match.captured(1) + u" -> "_s + form));
            }
        }
    }

    // Every text of the designed windows fits its control, in the font it is shown in: a label
    // its rectangle (a wrapping one by lines), a button its width, the menu bar the window's.
    // The caption of a download follows the language's words and dates.
    void fit_data()
    {
        languages();
        QTest::newRow("en") << u"en"_s << u"Downloaded 6 Dec 2026 15:04"_s;
    }
    void fit()
    {
        QFETCH(QString, language);
        QFETCH(QString, caption);
        if (language != u"en"_s)
            QCOMPARE(installTranslations(QLocale(language), { binDir() }), language);
        QCOMPARE(
            downloadedCaption(QDateTime(QDate(2026, 12, 6), QTime(15, 4))).left(caption.size()),
            caption);
        MainWindowHarness main(ServerAddress { u"127.0.0.1"_s, 9 });
        frmInfo info(main.context(), recordLine(1), [](std::string_view) { return "Nowhere"; });
        // The address after the link's caption is the directory's, cut at the label's edge as
        // the detail window's values are.
        frmAbout about({});
        MapWindow map(TileSource::demoDirectory(u"http://127.0.0.1:9"_s));
        map.setHotspots({ { 1, u"A"_s, "", "", Qt::red }, { 2, u"B"_s, "", "", Qt::red } });
        QStringList misfits;
        for (QWidget *window :
            std::initializer_list<QWidget *> { &main.window(), &info, &about, &map }) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            for (const QWidget *control : window->findChildren<QWidget *>()) {
                const auto *label = qobject_cast<const QLabel *>(control);
                const auto *button = qobject_cast<const QPushButton *>(control);
                const auto *bar = qobject_cast<const QMenuBar *>(control);
                QString text = button ? button->text() : label ? label->text() : QString();
                bool fits = true;
                if (label && label->textFormat() == Qt::PlainText) {
                    // A field placed over the label's right end hides what lies beneath it.
                    QRect box = label->contentsRect();
                    for (const QWidget *field : label->parentWidget()->findChildren<QWidget *>(
                             Qt::FindDirectChildrenOnly)) {
                        const QRect over = field->geometry().translated(-label->pos());
                        if (!qobject_cast<const QLabel *>(field) && box.intersects(over)
                            && over.left() > box.left())
                            box.setRight(over.left() - 1);
                    }
                    const int flags
                        = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
                    fits = box.contains(QFontMetrics(label->font()).boundingRect(box, flags, text));
                } else if (button)
                    fits = button->sizeHint().width() <= button->width();
                else if (bar) {
                    for (const QAction *menu : bar->actions())
                        text += menu->text();
                    fits = bar->sizeHint().width() <= bar->width();
                }
                if (!fits)
                    misfits << u"%1: %2 \"%3\""_s.arg(language, control->objectName(), text);
            }
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u"; "_s)));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
