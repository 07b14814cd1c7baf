#include "file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QThreadPool>
#include <filesystem>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace {

// When the disk fills up (or the file size limit is reached) part way, Qt reports the short
// write as success: check that every byte arrived. Gives the reason of a failure, else "".
QString writeWhole(QFileDevice &file, const QByteArray &data)
{
    if (file.write(data) == data.size() && file.flush() && file.size() == data.size())
        return {};
    return file.error() != QFileDevice::NoError
        ? file.errorString()
        : QStringLiteral("only part of the data could be written (is the disk full?)");
}

// The replace without waiting for the disk: a temporary file beside the target, renamed over
// it (QFile::rename refuses an existing target; rename(2) replaces it in one step).
QString replaceUnsynced(const QString &path, const QByteArray &data)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return file.errorString();
    if (const QString reason = writeWhole(file, data); !reason.isEmpty())
        return reason;
    file.close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
        QFile::encodeName(path).toStdString(), error);
    if (error)
        return QString::fromLocal8Bit(error.message().c_str());
    file.setAutoRemove(false);
    return {};
}

QString replaceSynced(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (const QString reason = writeWhole(file, data); !reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

// The replaced file's blocks are freed when its last name and its last descriptor are gone,
// which is inside rename(2) unless something still holds it open; on this ext4 disk (mounted
// with discard) that alone took half a millisecond, longer than the rest of the replace. Held
// open across the rename, the old file is freed when a pool thread closes it instead.
class ReplacedFileHold {
public:
    explicit ReplacedFileHold(const QString &path)
    {
#if defined(Q_OS_UNIX)
        // Non-blocking: the name might be a FIFO; not followed: a link is what gets replaced.
        m_fd = ::open(QFile::encodeName(path).constData(),
            O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        struct stat info { };
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
#else
        Q_UNUSED(path);
#endif
    }
    ~ReplacedFileHold()
    {
#if defined(Q_OS_UNIX)
        if (m_fd < 0)
            return;
        const int fd = m_fd;
        QThreadPool::globalInstance()->start([fd] { ::close(fd); });
#endif
    }
    ReplacedFileHold(const ReplacedFileHold &) = delete;
    ReplacedFileHold &operator=(const ReplacedFileHold &) = delete;

private:
    int m_fd = -1;
};

} // namespace

QString writeFileAtomically(const QString &path, const QByteArray &data, Durability durability)
{
    const ReplacedFileHold replaced(path);
    const QString reason = durability == Durability::Synced ? replaceSynced(path, data)
                                                            : replaceUnsynced(path, data);
    if (reason.isEmpty())
        return {};
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace pellomar
