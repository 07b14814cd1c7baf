#include "search/scramble_file.h"

#include "platform/file_io.h"
#include "search/scramble.h"

namespace pellomar {

QString ScrambleFile(const QString &path)
{
    FileRead file = readWholeFile(path);
    if (!file.ok() && !file.missing)
        return file.error;
    Scramble(std::span<char>(file.data.data(), std::size_t(file.data.size())));
    return writeFileAtomically(path, file.data);
}

} // namespace pellomar
