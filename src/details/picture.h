#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace pellomar {

// Pictures larger than this are refused before any pixel memory is taken: a reply only
// claims a size in its header, and a hostile one could otherwise exhaust memory. Qt's own
// allocation limit stays in force behind these.
inline constexpr int MaxPictureSide = 16'384;
inline constexpr qint64 MaxPicturePixels = 24'000'000;

// Decodes a picture (any format the image plugins know: JPEG, GIF, PNG, ...) from bytes,
// stretched to `size` when one is given (a JPEG is then decoded at a fraction of its size).
// Nothing when the bytes are not a picture or the picture is too large.
std::optional<QImage> DecodePicture(const QByteArray &bytes, const QSize &size = {});

} // namespace pellomar
