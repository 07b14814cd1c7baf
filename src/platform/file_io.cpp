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
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace pellomar
