// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "details/frm_info.h"
#include "map/map_window.h"
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
#include <QXmlStreamReader>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

struct Entry {
    QString key, source, type;
    QStringList translations;
};

// The messages of a .ts file: context, source and comment, whether Linguist counts them
// finished, and their translations (each plural form apart).
QList<Entry> readTs(const QString &path)
{
    QFile file(path);
    QList<Entry> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    bool numerus = false;
    const auto text = [&xml] { return xml.readElementText(QXmlStreamReader::SkipChildElements); };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"name")
            context = text();
        else if (name == u"message") {
            numerus = xml.attributes().value(u"numerus"_s) == u"yes";
            entries.append({ context, {}, {}, {} });
        } else if (name == u"source" || name == u"comment")
            entries.last().key
                += u'|' + (name == u"source" ? entries.last().source = text() : text());
        else if (name == u"translation") {
            entries.last().type = xml.attributes().value(u"type"_s).toString();
            if (!numerus)
                entries.last().translations << text();
        } else if (name == u"numerusform")
            entries.last().translations << text();
    }
    return xml.hasError() ? QList<Entry>() : entries;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(u"%L?([1-9n])"_s);
    QStringList found;
    for (const auto &match : marker.globalMatch(text))
        found << match.captured(1);
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

    QLocale m_locale;

    static void languages()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : { "de", "fr", "es" })
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void use(const QString &language)
    {
        qDeleteAll(qApp->findChildren<QTranslator *>());
        QLocale::setDefault(m_locale);
        if (language != u"en"_s)
            QCOMPARE(installTranslations(QLocale(language), { binDir() }), language);
    }

private Q_SLOTS:
    void initTestCase() { m_locale = QLocale(); }
    void cleanup() { use(u"en"_s); }

    // lupdate run over today's sources into a copy of the file adds no message and leaves each
    // one finished; every translation has its source's placeholders.
    void complete_data() { languages(); }
    void complete()
    {
        QFETCH(QString, language);
        const QString name = u"/translations/pellomar_%1.ts"_s.arg(language);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(PELLOMAR_SOURCE) + name, dir.path() + u"/copy.ts"_s));
        QStringList arguments { u"-no-obsolete"_s, u"-locations"_s, u"none"_s, u"-I"_s,
            QStringLiteral(PELLOMAR_SOURCE "/src") };
        for (QDirIterator it(QStringLiteral(PELLOMAR_SOURCE "/src"), { u"*.cpp"_s, u"*.h"_s },
                 QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            arguments << it.next();
        QProcess lupdate;
        lupdate.start(
            QStringLiteral(PELLOMAR_LUPDATE), arguments << u"-ts"_s << dir.path() + u"/copy.ts"_s);
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        const QList<Entry> committed = readTs(QStringLiteral(PELLOMAR_SOURCE) + name);
        const QList<Entry> updated = readTs(dir.path() + u"/copy.ts"_s);
        QVERIFY(committed.size() > 100);
        QCOMPARE(updated.size(), committed.size());
        for (const Entry &entry : updated) {
            QVERIFY2(entry.type.isEmpty(), qPrintable(entry.type + u' ' + entry.key));
            for (const QString &translation : entry.translations)
                QVERIFY2(!translation.isEmpty()
                        && placeholders(translation) == placeholders(entry.source),
                    qPrintable(entry.key + u" -> "_s + translation));
        }
    }

    // Every translated text of the designed windows fits its control, in the font it is shown
    // in: a label its rectangle (a wrapping one by lines), a button its own width, the menu bar
    // the window's.
    void fit_data()
    {
        languages();
        QTest::newRow("en") << u"en"_s;
    }
    void fit()
    {
        QFETCH(QString, language);
        use(language);
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
                const QFontMetrics metrics(control->font());
                QString text = button ? button->text() : label ? label->text() : QString();
                bool fits = true;
                if (label && label->textFormat() == Qt::PlainText) {
                    const QRect box = label->contentsRect();
                    const int flags
                        = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
                    fits = box.contains(metrics.boundingRect(box, flags, text));
                } else if (button)
                    fits = button->sizeHint().width() <= button->width();
                else if (bar) {
                    for (const QAction *menu : bar->actions())
                        text += menu->text() + u' ';
                    fits = bar->sizeHint().width() <= bar->width();
                }
                if (!fits)
                    misfits << u"%1: %2 \"%3\""_s.arg(language, control->objectName(), text);
            }
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u"; "_s)));
    }

    // The caption of a download in the chosen language's words and date.
    void caption_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::newRow("de") << u"de"_s << u"Heruntergeladen am 6. Dez. 2026 um 15:04"_s;
    }
    void caption()
    {
        QFETCH(QString, language);
        use(language);
        QFETCH(QString, caption);
        QCOMPARE(downloadedCaption(QDateTime(QDate(2026, 12, 6), QTime(15, 4)), QLocale(language)),
            caption);
    }

    // The program speaks the language the environment asks for, English when none of its
    // translations fits: a start-up failure is told in it.
    void chosenFromLocale_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("told");
        QTest::newRow("LANG de") << u"LANG=de_DE.UTF-8"_s << u"Die Referenzdatei countries.txt"_s;
        QTest::newRow("LANGUAGE first")
            << u"LANG=de_DE.UTF-8~LANGUAGE=fr:de"_s << u"Le fichier de référence countries.txt"_s;
        QTest::newRow("LC_MESSAGES es") << u"LC_MESSAGES=es_ES.UTF-8"_s << u"No se puede leer"_s;
        QTest::newRow("Japanese") << u"LANG=ja_JP.UTF-8"_s << u"The reference file countries.txt"_s;
        QTest::newRow("C") << u"LANG=C"_s << u"The reference file countries.txt"_s;
    }
    void chosenFromLocale()
    {
        QFETCH(QString, environment);
        QFETCH(QString, told);
        QTemporaryDir dir;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const QString &name : { u"LANG"_s, u"LANGUAGE"_s, u"LC_ALL"_s, u"LC_MESSAGES"_s })
            variables.remove(name);
        for (const QString &setting : environment.split(u'~'))
            variables.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        QProcess program;
        program.setProcessEnvironment(variables);
        program.start(binDir() + u"/pellomar"_s,
            { u"-platform"_s, u"offscreen"_s, u"--no-dialogs"_s, u"--reference-dir"_s, dir.path(),
                u"--data-dir"_s, dir.path() });
        QVERIFY(program.waitForFinished(30000));
        const QString printed = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(printed.contains(u"pellomar: "_s + told), qPrintable(printed));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
