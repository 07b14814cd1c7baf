#pragma once

#include "resultfile/result_format.h"

#include <QFile>
#include <QString>
#include <string>

// What tests/shell/tst_download_caption.cpp still takes from here; everything else is in
// common/harness.h, where this goes once that test links the harness.
namespace pellomar::test {

inline bool writeScrambledFile(const QString &path, const std::string &plain)
{
    QFile file(path);
    const std::string scrambled = Scrambled(plain);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(scrambled.data(), qint64(scrambled.size())) == qint64(scrambled.size());
}

// `count` records as the search writes them, each telling its number in every field a row
// shows.
inline std::string resultFileText(int count)
{
    std::string text;
    for (int n = 1; n <= count; ++n) {
        const std::string k = std::to_string(n);
        text += "Name " + k + "<>free<>Op " + k + "<><><><>Cafe<><><>City " + k + "<>US\r\n-\r\n";
    }
    return text;
}

} // namespace pellomar::test
