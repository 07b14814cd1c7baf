// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/display_text.h"

#include "reference/text_encoding.h"

namespace pellomar {

QString displayText(std::string_view bytes)
{
    const auto size = qsizetype(bytes.size());
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), size);
    return QString::fromLatin1(bytes.data(), size);
}

std::string toBytes(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), std::size_t(utf8.size()));
}

} // namespace pellomar
