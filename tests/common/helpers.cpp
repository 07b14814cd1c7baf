// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"

#include "platform/display_text.h"
#include "platform/file_io.h"
#include "reference/record_format.h"
#include "resultfile/result_format.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <csignal>

namespace pellomar::test {

QString binDir()
{
    return qEnvironmentVariable("PELLOMAR_BIN_DIR");
}

ReferenceTable shippedCountries()
{
    return parseCountries(asView(fileBytes(binDir() + QStringLiteral("/countries.txt")))).table;
}

RecordedBoxes::RecordedBoxes()
{
    MessageBox::setResponder([this](const MessageBox::Request &box) {
        boxes.append(box);
        if (readingTimeMs > 0) {
            QEventLoop reading;
            QTimer::singleShot(readingTimeMs, &reading, &QEventLoop::quit);
            reading.exec();
        }
        return answer;
    });
}

RecordedBoxes::~RecordedBoxes()
{
    MessageBox::setResponder({});
}

QStringList RecordedBoxes::titles() const
{
    QStringList titles;
    for (const MessageBox::Request &box : boxes)
        titles << box.title;
    return titles;
}

std::string recordOf(std::initializer_list<std::pair<int, std::string>> fields)
{
    std::array<std::string, HotspotFieldCount> values;
    for (const auto &[number, text] : fields)
        values.at(std::size_t(number - 1)) = text;
    std::string line = values[0];
    for (std::size_t i = 1; i < values.size(); ++i)
        line.append(FieldSeparator).append(values[i]);
    return line;
}

std::string recordLine(int n)
{
    const std::string k = std::to_string(n);
    return "Name " + k + "<>free<>Op " + k + "<>http://h" + k + ".example<>555<>a@b.c<>Cafe<>"
        + "1 Road<>12345<>City " + k + "<>US<>1.5<>2.5<>1<>ssid<>desc<>img/" + k + ".jpg";
}

std::string resultFileText(int count, int firstNumber)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += recordLine(firstNumber + i) + "\r\n-\r\n";
    return text;
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path)
{
    // Never waits on a FIFO a test put in a file's place.
    return readWholeFile(path).data;
}

bool putScrambled(const QString &path, const std::string &plain)
{
    return putFile(path, QByteArray::fromStdString(scrambled(plain)));
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
}

void KeptFiles::keep(const QString &path)
{
    m_files.append({ path, QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256) });
}

QString KeptFiles::changed() const
{
    QStringList changed;
    for (const auto &[path, hash] : m_files) {
        if (QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256) != hash
            || !QFile::exists(path))
            changed << path;
    }
    return changed.join(u' ');
}

} // namespace pellomar::test
