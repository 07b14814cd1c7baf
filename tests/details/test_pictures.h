#pragma once

#include "details/frm_info.h"
#include "details/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
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
inline QByteArray jpegBytes(int width, int height, const QColor &colour = QColor(30, 120, 200))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// A GIF89a written by hand: a red and a blue colour, every pixel red. Its header claims
// `width` x `height`, while the pixel data covers `pixels` pixels (all of them by default),
// so a test can make a small file that claims a huge picture.
inline QByteArray gifBytes(int width, int height, qint64 pixels = -1)
{
    if (pixels < 0)
        pixels = qint64(width) * height;
    QByteArray gif("GIF89a");
    const auto le16 = [&gif](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char((v >> 8) & 0xFF));
    };
    le16(width);
    le16(height);
    gif.append(char(0x80)); // global colour table of 2 entries
    gif.append(char(0));
    gif.append(char(0));
    gif.append("\xFF\x00\x00\x00\x00\xFF", 6);
    gif.append(',');
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    gif.append(char(0));
    gif.append(char(2)); // LZW minimum code size

    // Codes of 3 bits: a clear code before every two pixels keeps the code width at 3, so no
    // compression is needed to write valid data.
    QByteArray data;
    quint32 bits = 0;
    int bitCount = 0;
    const auto code = [&](quint32 c) {
        bits |= c << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    for (qint64 i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            code(4); // clear
        code(0); // red
    }
    code(5); // end of information
    if (bitCount > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append(char(0));
    gif.append(';');
    return gif;
}

} // namespace pellomar::test
