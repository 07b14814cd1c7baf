#pragma once

#include "resultfile/result_format.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

// Result files as the search leaves them on disk: scrambled, records separated by "-" lines.
namespace pellomar::test {

inline QByteArray scrambledBytes(const std::string &plain)
{
    const std::string scrambled = Scrambled(plain);
    return QByteArray(scrambled.data(), qsizetype(scrambled.size()));
}

inline bool writeScrambledFile(const QString &path, const std::string &plain)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = scrambledBytes(plain);
    return file.write(bytes) == bytes.size();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A record of 17 fields that tells its number in every field a row shows.
inline std::string recordLine(int n)
{
    const std::string k = std::to_string(n);
    return "Name " + k + "<>free<>Op " + k + "<>http://h" + k + ".example<>555<>a@b.c<>Cafe<>"
        + "1 Road<>12345<>City " + k + "<>US<>1.5<>2.5<>1<>ssid<>desc<>img/" + k + ".jpg";
}

// `count` records as the search writes them: record, "-", ..., ending in "-" and a line end.
inline std::string resultFileText(int count, int firstNumber = 1)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += recordLine(firstNumber + i) + "\r\n-\r\n";
    return text;
}

} // namespace pellomar::test
