// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/picture.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

namespace pellomar {

namespace {

// Decodes `bytes` when their content is one of `formats` and their size passes `sizeFits`.
template<typename SizeFits>
std::optional<QImage> decode(const QByteArray &bytes, std::initializer_list<const char *> formats,
    SizeFits sizeFits, const QSize &scaledTo = {})
{
    if (bytes.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // Only the formats asked for, recognised by content: another plugin (ICO, BMP, ...) may
    // report a size that is not what it decodes.
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (std::none_of(formats.begin(), formats.end(),
            [&format](const char *allowed) { return format == allowed; }))
        return std::nullopt;
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(int((MaxPicturePixels * 4 + (1 << 20) - 1) >> 20));
    if (!reader.canRead())
        return std::nullopt;
    // A format that cannot tell its size before decoding is not taken on trust.
    const QSize size = reader.size();
    if (!size.isValid() || !sizeFits(size))
        return std::nullopt;
    if (scaledTo.isValid())
        reader.setScaledSize(scaledTo);
    QImage image;
    if (!reader.read(&image) || image.size() != (scaledTo.isValid() ? scaledTo : size))
        return std::nullopt;
    return image;
}

} // namespace

std::optional<QImage> decodePicture(const QByteArray &bytes, const QSize &scaledTo)
{
    return decode(
        bytes, { "jpeg", "gif", "png" },
        [](QSize size) {
            return size.width() <= MaxPictureSide && size.height() <= MaxPictureSide
                && qint64(size.width()) * size.height() <= MaxPicturePixels;
        },
        scaledTo);
}

std::optional<QImage> decodeTile(const QByteArray &bytes)
{
    return decode(bytes, { "png" },
        [](QSize size) { return size == QSize(256, 256) || size == QSize(512, 512); });
}

} // namespace pellomar
