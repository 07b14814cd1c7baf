// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace pellomar {

// Bytes from a file or a reply, as the user should read them: UTF-8 when they are valid
// UTF-8, otherwise Latin-1 (one character per byte), so no byte is ever lost or replaced.
QString displayText(std::string_view bytes);
inline QString displayText(const QByteArray &bytes)
{
    return displayText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

// Text typed by the user, as bytes for the rules: UTF-8.
std::string toBytes(const QString &text);

inline std::string_view asView(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace pellomar
