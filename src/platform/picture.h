// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace pellomar {

// Pictures larger than this are refused before any pixel memory is taken: a reply only
// claims a size in its header, and a hostile one could otherwise exhaust memory. The reader's
// own allocation limit is set to what this many pixels need, and the decoded picture is
// checked again, since a container (an icon, say) may claim one size and hold another.
inline constexpr int MaxPictureSide = 16'384;
inline constexpr qint64 MaxPicturePixels = 24'000'000;

// Decodes a location picture, which a directory serves as JPEG, GIF or PNG only, from bytes,
// stretched to `size` when one is given (a JPEG is then decoded at a fraction of its size).
// Nothing when the bytes are not such a picture or the picture is too large.
std::optional<QImage> decodePicture(const QByteArray &bytes, const QSize &size = {});

// Decodes a map tile: a PNG of 256 or 512 pixels square, nothing else.
std::optional<QImage> decodeTile(const QByteArray &bytes);

} // namespace pellomar
