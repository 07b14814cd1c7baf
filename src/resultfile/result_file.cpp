// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resultfile/result_file.h"

#include "platform/file_io.h"
#include "resultfile/result_format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pellomar {

QString storeResultText(std::string_view text, PendingReplace &replace)
{
    QByteArray scrambled(text.data(), qsizetype(text.size()));
    scramble(std::span<char>(scrambled.data(), std::size_t(scrambled.size())));
    const QString error = replace.commit(scrambled);
    return error.isEmpty() ? QString()
                           : QCoreApplication::translate(
                                 "pellomar::ResultFile", "The search results could not be stored: ")
            + error;
}

QString storeResultText(std::string_view text, const QString &path)
{
    PendingReplace replace(path);
    return storeResultText(text, replace);
}

ResultFileInput::ResultFileInput(const QString &path)
    : m_file(path)
{
}

QString ResultFileInput::open()
{
    if (!QFileInfo::exists(m_file.fileName())) {
        m_missing = true;
        return {};
    }
    return openRegularFile(m_file);
}

std::string_view ResultFileInput::next()
{
    if (m_missing || !m_file.isOpen() || !m_error.isEmpty())
        return {};
    m_piece.resize(PieceSize);
    const qint64 got = m_file.read(m_piece.data(), PieceSize);
    if (got < 0) {
        m_error = QCoreApplication::translate("pellomar::ResultFile", "Cannot read %1: %2")
                      .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
        return {};
    }
    m_bytesRead += got;
    m_piece.resize(got);
    scramble(std::span<char>(m_piece.data(), std::size_t(got)));
    const std::string_view text(m_piece.constData(), std::size_t(got));
    // A piece is shorter than the longest record line, so only a line running on across
    // pieces can be too long.
    const std::size_t first = text.find('\r');
    m_openLine += qint64(first == std::string_view::npos ? text.size() : first);
    if (m_openLine > qint64(MaxRecordLineBytes)) {
        m_error = QCoreApplication::translate(
            "pellomar::ResultFile", "%1 is damaged: it holds a line of more than %2 KiB")
                      .arg(QDir::toNativeSeparators(m_file.fileName()))
                      .arg(MaxRecordLineBytes / 1024);
        return {};
    }
    if (first != std::string_view::npos)
        m_openLine = qint64(text.size() - text.rfind('\r') - 1);
    return text;
}

} // namespace pellomar
