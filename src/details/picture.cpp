#include "details/picture.h"

#include <QBuffer>
#include <QImageReader>

namespace pellomar {

std::optional<QImage> DecodePicture(const QByteArray &bytes, const QSize &scaledTo)
{
    if (bytes.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return std::nullopt;
    // A format that cannot tell its size before decoding is not taken on trust.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide
        || qint64(size.width()) * size.height() > MaxPicturePixels)
        return std::nullopt;
    if (scaledTo.isValid())
        reader.setScaledSize(scaledTo);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return image;
}

} // namespace pellomar
