#pragma once

#include "details/frm_info.h"
#include "details/picture.h"

#include <QBuffer>
#include <QImage>

// Real pictures for the tests, made on the spot.
namespace pellomar::test {

// The natural size of the picture a detail window received; invalid while it has none.
inline QSize pictureSize(const frmInfo *window)
{
    const auto picture = DecodePicture(window->pictureBytes());
    return picture ? picture->size() : QSize();
}

// A JPEG of one colour, written by Qt's own encoder.
inline QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// A GIF89a written by hand (Qt reads GIF but does not write it): a red and a blue colour,
// every pixel red. Its header claims `width` x `height`, while the pixel data covers `pixels`
// pixels (all of them by default), so a small file can claim a huge picture.
inline QByteArray gifBytes(int width, int height, qint64 pixels = -1)
{
    QByteArray gif("GIF89a");
    const auto le16 = [&gif](int v) { gif.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    le16(width);
    le16(height);
    // A global table of 2 colours, then an image descriptor over the whole picture, and the
    // LZW minimum code size 2.
    gif.append("\x80\0\0\xFF\0\0\0\0\xFF,", 10);
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    gif.append("\0\x02", 2);
    // Codes of 3 bits: a clear code (4) before every two pixels of red (0) keeps the code width
    // at 3, so no compression is needed; 5 ends the data.
    QByteArray data;
    quint32 bits = 0;
    int bitCount = 0;
    const auto code = [&](quint32 c) {
        bits |= c << bitCount;
        for (bitCount += 3; bitCount >= 8; bitCount -= 8, bits >>= 8)
            data.append(char(bits & 0xFF));
    };
    for (qint64 i = 0; i < (pixels < 0 ? qint64(width) * height : pixels); ++i) {
        if (i % 2 == 0)
            code(4);
        code(0);
    }
    code(5);
    if (bitCount > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255)
        gif.append(char(data.mid(at, 255).size())).append(data.mid(at, 255));
    return gif.append("\0;", 2);
}

} // namespace pellomar::test
