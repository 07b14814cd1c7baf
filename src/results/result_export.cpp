#include "results/result_export.h"

#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "results/result_list_model.h"

#include <QDir>
#include <QFileInfo>

namespace pellomar {

namespace {

const char *const CsvFilter = "CSV Files (*.csv)";
const char *const GpxFilter = "GPX Files (*.gpx)";
const char *const KmlFilter = "KML Files (*.kml)";

ExportFormat formatForFilter(const QString &filter)
{
    if (filter == QLatin1String(GpxFilter))
        return ExportFormat::Gpx;
    if (filter == QLatin1String(KmlFilter))
        return ExportFormat::Kml;
    return ExportFormat::Csv;
}

QString hotspots(int count)
{
    return count == 1 ? QStringLiteral("1 hotspot") : QStringLiteral("%1 hotspots").arg(count);
}

} // namespace

QString exportFileFilter()
{
    return QStringLiteral("%1;;%2;;%3")
        .arg(QLatin1String(CsvFilter), QLatin1String(GpxFilter), QLatin1String(KmlFilter));
}

ExportReport exportResults(QWidget *parent, const ResultListModel &model)
{
    ExportReport report;
    if (model.shownCount() == 0) {
        MessageBox::show(parent, QMessageBox::Information, QString(),
            QStringLiteral("There are no results to export."));
        return report;
    }

    QString chosenFilter;
    QString fileName = SaveDialog::getSaveFileName(parent, exportFileFilter(), &chosenFilter);
    if (fileName.trimmed().isEmpty())
        return report;
    const QByteArray encodedName = QFile::encodeName(fileName);
    if (const auto format = FormatForFileName(encodedName.toStdString())) {
        report.format = *format;
    } else {
        // Other programs know these files by their extension.
        report.format = formatForFilter(chosenFilter);
        fileName += QLatin1String(FormatExtension(report.format).data(),
            qsizetype(FormatExtension(report.format).size()));
    }
    report.path = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());

    std::vector<std::string> records;
    records.reserve(std::size_t(model.shownCount()));
    for (int position = 1; position <= model.shownCount(); ++position)
        records.push_back(model.record(model.rowAt(position)));
    const ExportedFile file = ExportRecords(report.format, records);
    report.written = file.written;
    report.skipped = file.skipped;

    QString text
        = QStringLiteral("%1 exported to\r\n\r\n%2").arg(hotspots(file.written), report.path);
    if (file.skipped > 0) {
        text += QStringLiteral("\r\n\r\n%1 without valid coordinates left out.")
                    .arg(hotspots(file.skipped));
    }
    const SaveOutcome saved = saveChosenFile(parent, fileName,
        QByteArray(file.bytes.data(), qsizetype(file.bytes.size())), QStringLiteral("Exported"),
        text, QStringLiteral("The results could not be exported.\r\n\r\n"));
    report.done = saved.saved;
    report.error = saved.error;
    return report;
}

} // namespace pellomar
