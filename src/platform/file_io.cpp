// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QThreadPool>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pellomar {

QString openRegularFile(QFile &file)
{
    const QString shown = QDir::toNativeSeparators(file.fileName());
    // A FIFO would hold the open, and every read after it, on the GUI thread until someone
    // writes to it; a device never ends. Opened without waiting, then looked at.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
        O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return QCoreApplication::translate("pellomar::FileIo", "Cannot open %1: %2")
            .arg(shown, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status { };
    const bool isFile = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!isFile) {
        ::close(fd);
        return S_ISDIR(status.st_mode)
            ? QCoreApplication::translate("pellomar::FileIo", "%1 is a folder, not a file")
                  .arg(shown)
            : QCoreApplication::translate("pellomar::FileIo", "%1 is not a regular file")
                  .arg(shown);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QCoreApplication::translate("pellomar::FileIo", "Cannot open %1: %2")
            .arg(shown, file.errorString());
    }
    return {};
}

FileRead readWholeFile(const QString &path, qint64 maxBytes)
{
    FileRead result;
    if (!QFileInfo::exists(path)) {
        result.missing = true;
        result.error = QCoreApplication::translate("pellomar::FileIo", "%1 does not exist")
                           .arg(QDir::toNativeSeparators(path));
        return result;
    }
    QFile file(path);
    result.error = openRegularFile(file);
    if (!result.ok())
        return result;
    if (file.size() > maxBytes) {
        result.error = QCoreApplication::translate("pellomar::FileIo", "%1 is too large (%2 bytes)")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(file.size());
        return result;
    }
    result.data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QCoreApplication::translate("pellomar::FileIo", "Cannot read %1: %2")
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
        : QCoreApplication::translate(
            "pellomar::FileIo", "only part of the data could be written (is the disk full?)");
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
// which is inside rename(2) unless something still holds it open, and freeing them (on a disk
// that discards them) can take longer than the rest of the replace. Held open across the
// rename, the old file is freed when it is closed: by a pool thread, unless the holder lets it
// go itself.
int holdReplaced(const QString &path)
{
#if defined(Q_OS_UNIX)
    // Non-blocking: the name might be a FIFO; not followed: a link is what gets replaced.
    const int fd = ::open(QFile::encodeName(path).constData(),
        O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    struct stat info { };
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
#else
    Q_UNUSED(path);
    return -1;
#endif
}

void releaseReplaced(int fd, bool here)
{
#if defined(Q_OS_UNIX)
    if (fd < 0)
        return;
    if (here)
        ::close(fd);
    else
        QThreadPool::globalInstance()->start([fd] { ::close(fd); });
#else
    Q_UNUSED(fd);
    Q_UNUSED(here);
#endif
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("pellomar::FileIo", "Cannot write %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString writeFileAtomically(const QString &path, const QByteArray &data, FileOwner owner)
{
    if (owner == FileOwner::Program)
        return PendingReplace(path).commit(data);
    const int held = holdReplaced(path);
    const QString reason = replaceSynced(path, data);
    releaseReplaced(held, false);
    return reason.isEmpty() ? QString() : cannotWrite(path, reason);
}

// The replace without waiting for the disk: a temporary file beside the target, renamed over
// it (QFile::rename refuses an existing target; rename(2) replaces it in one step).
PendingReplace::PendingReplace(const QString &path)
    : m_path(path)
    , m_replacedFd(holdReplaced(path))
    , m_file(std::make_unique<QTemporaryFile>(path + QStringLiteral(".XXXXXX")))
{
    if (!m_file->open())
        m_openError = m_file->errorString();
}

PendingReplace::~PendingReplace()
{
    releaseReplaced(m_replacedFd, false);
}

void PendingReplace::releaseReplacedNow()
{
    releaseReplaced(std::exchange(m_replacedFd, -1), true);
}

QString PendingReplace::commit(const QByteArray &data)
{
    if (!m_openError.isEmpty())
        return cannotWrite(m_path, m_openError);
    if (!m_file->isOpen())
        return cannotWrite(m_path,
            QCoreApplication::translate("pellomar::FileIo", "the file was written already"));
    if (const QString reason = writeWhole(*m_file, data); !reason.isEmpty()) {
        m_file->remove();
        return cannotWrite(m_path, reason);
    }
    m_file->close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(m_file->fileName()).toStdString(),
        QFile::encodeName(m_path).toStdString(), error);
    if (error) {
        // Named now (for the rename), so gone at once rather than when this object is.
        m_file->remove();
        return cannotWrite(m_path, QString::fromLocal8Bit(error.message().c_str()));
    }
    m_file->setAutoRemove(false);
    return {};
}

} // namespace pellomar
