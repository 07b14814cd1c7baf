#include "file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pellomar {

FileRead readWholeFile(const QString &path, qint64 maxBytes)
{
    FileRead result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.missing = true;
        result.error = QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(path));
        return result;
    }
    if (info.isDir()) {
        result.error
            = QStringLiteral("%1 is a folder, not a file").arg(QDir::toNativeSeparators(path));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Cannot open %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    if (file.size() > maxBytes) {
        result.error = QStringLiteral("%1 is too large (%2 bytes)")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(file.size());
        return result;
    }
    result.data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Cannot read %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        result.data.clear();
    }
    return result;
}

QString writeFileAtomically(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    const auto failure = [&](const QString &reason) {
        return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    };
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    // When the disk fills up (or the file size limit is reached) part way, Qt reports the short
    // write as success and would commit a truncated file: check that every byte arrived.
    const bool written
        = file.write(data) == data.size() && file.flush() && file.size() == data.size();
    if (!written) {
        const QString reason = file.error() != QFileDevice::NoError
            ? file.errorString()
            : QStringLiteral("only part of the data could be written (is the disk full?)");
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

} // namespace pellomar
