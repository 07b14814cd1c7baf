#pragma once

#include "platform/app_context.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "reference/reference_table.h"
#include "resultfile/result_format.h"
#include "shell/frm_main.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <memory>

// What every fault test needs: the files a fault must leave alone, and a main window over a
// data folder of the test's own.
namespace pellomar::test {

// The previous search's result file and a hotspot the user saved earlier, with their hashes
// taken before the fault. A fault may cost a search, never these.
class KeptFiles {
public:
    static QByteArray previousRecords()
    {
        return "Old Cafe<>US<>Springfield<>Cafe<>free<>Old Operator\r\n-\r\n"
               "Old Library<>US<>Shelbyville<>Library<>free<>City\r\n-\r\n\r\n";
    }

    // Writes both files; false when that fails.
    bool write(const QString &resultFile, const QString &savedFile)
    {
        m_resultFile = resultFile;
        m_savedFile = savedFile;
        const QByteArray result = QByteArray::fromStdString(Scrambled(asView(previousRecords())));
        const QByteArray saved = "Hotspot Name: Old Cafe\r\nCountry: UNITED STATES\r\n";
        return writeFileAtomically(resultFile, result).isEmpty()
            && writeFileAtomically(savedFile, saved).isEmpty() && snapshot();
    }

    // Takes the hashes again, e.g. after a successful search has replaced the result file.
    bool snapshot()
    {
        m_resultHash = hashOf(m_resultFile);
        m_savedHash = hashOf(m_savedFile);
        return !m_resultHash.isEmpty() && !m_savedHash.isEmpty();
    }

    // "" when both files are byte-identical to the snapshot, else which one changed.
    QString changed() const
    {
        QString which;
        if (hashOf(m_resultFile) != m_resultHash)
            which += QDir::toNativeSeparators(m_resultFile) + u' ';
        if (hashOf(m_savedFile) != m_savedHash)
            which += QDir::toNativeSeparators(m_savedFile);
        return which.trimmed();
    }
    bool savedFileUnchanged() const { return hashOf(m_savedFile) == m_savedHash; }

    static QByteArray hashOf(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(&file);
        return hash.result();
    }

private:
    QString m_resultFile;
    QString m_savedFile;
    QByteArray m_resultHash;
    QByteArray m_savedHash;
};

// The reference tables the build copies next to the test.
inline ReferenceTable referenceTable(const char *file)
{
    const FileRead read = readWholeFile(
        qEnvironmentVariable("PELLOMAR_BIN_DIR") + u'/' + QString::fromLatin1(file));
    return QByteArrayView(file) == "countries.txt" ? ParseCountries(asView(read.data)).table
                                                   : ParseLocationTypes(asView(read.data)).table;
}

// A main window as the program opens it, shown, with its start-up reload done.
inline std::unique_ptr<frmMain> openMainWindow(const AppContext &context)
{
    auto window = std::make_unique<frmMain>(
        context, referenceTable("countries.txt"), referenceTable("locations.txt"));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("main window not exposed");
    return window;
}

// Every detail window open now.
template<typename Window> QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            found << window;
    }
    return found;
}

} // namespace pellomar::test
