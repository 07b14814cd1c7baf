#include "results/result_file_input.h"

#include "search/scramble.h"
#include "search/search_reply.h"

#include <QDir>
#include <QFileInfo>

namespace pellomar {

ResultFileInput::ResultFileInput(const QString &path)
    : m_file(path)
{
}

QString ResultFileInput::open()
{
    const QFileInfo info(m_file.fileName());
    const QString shown = QDir::toNativeSeparators(m_file.fileName());
    if (!info.exists()) {
        m_missing = true;
        return {};
    }
    if (info.isDir())
        return QStringLiteral("%1 is a folder, not a file").arg(shown);
    if (!m_file.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open %1: %2").arg(shown, m_file.errorString());
    return {};
}

std::string_view ResultFileInput::next()
{
    if (m_missing || !m_file.isOpen() || !m_error.isEmpty())
        return {};
    m_piece.resize(PieceSize);
    const qint64 got = m_file.read(m_piece.data(), PieceSize);
    if (got < 0) {
        m_error = QStringLiteral("Cannot read %1: %2")
                      .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
        return {};
    }
    m_bytesRead += got;
    m_piece.resize(got);
    Scramble(std::span<char>(m_piece.data(), std::size_t(got)));
    const std::string_view text(m_piece.constData(), std::size_t(got));
    // A piece is shorter than the longest record line, so only a line running on across
    // pieces can be too long.
    const std::size_t first = text.find('\r');
    m_openLine += qint64(first == std::string_view::npos ? text.size() : first);
    if (m_openLine > qint64(MaxRecordLineBytes)) {
        m_error = QStringLiteral("%1 is damaged: it holds a line of more than %2 KiB")
                      .arg(QDir::toNativeSeparators(m_file.fileName()))
                      .arg(MaxRecordLineBytes / 1024);
        return {};
    }
    if (first != std::string_view::npos)
        m_openLine = qint64(text.size() - text.rfind('\r') - 1);
    return text;
}

} // namespace pellomar
