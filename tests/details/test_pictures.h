// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "details/frm_info.h"
#include "platform/picture.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

// Real pictures for the tests, made on the spot.
namespace pellomar::test {

// The natural size of the picture a detail window received; invalid while it has none.
inline QSize pictureSize(const frmInfo *window)
{
    const auto picture = decodePicture(window->pictureBytes());
    return picture ? picture->size() : QSize();
}

// A picture of one colour in `format`, written by Qt's own encoder.
inline QByteArray imageBytes(int width, int height, const char *format = "JPEG",
    QImage::Format pixels = QImage::Format_RGB32)
{
    QImage image(width, height, pixels);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

// An icon whose one entry claims `side` pixels square (0: 256) and holds `png`, of any size.
inline QByteArray icoHolding(const QByteArray &png, char side)
{
    QByteArray ico("\0\0\1\0\1\0\0\0\0\0\1\0\x20\0\0\0\0\0\x16\0\0\0", 22);
    ico[6] = ico[7] = side;
    qToLittleEndian(quint32(png.size()), ico.data() + 14);
    return ico + png;
}

// A red GIF89a (Qt reads GIF but does not write it) whose header claims `width` x `height`,
// while its pixel data covers `pixels` pixels rounded up to 4 (all of them by default): a
// small file can claim a huge picture.
inline QByteArray gifBytes(int width, int height, qint64 pixels = -1)
{
    const auto le16 = [](int v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8 & 0xFF); };
    const QByteArray size = le16(width) + le16(height);
    // Codes of 3 bits, a clear code (4) before each red pixel (0), keep the code width at 3:
    // 4 pixels to 3 bytes. 5 ends the data.
    const qint64 groups = ((pixels < 0 ? qint64(width) * height : pixels) + 3) / 4;
    const QByteArray data = QByteArray("\x04\x41\x10").repeated(groups) + '\x05';
    QByteArray gif = "GIF89a" + size + QByteArray("\x80\0\0\xFF\0\0\0\0\xFF,\0\0\0\0", 14) + size;
    gif += QByteArray("\0\x02", 2);
    for (qsizetype at = 0; at < data.size(); at += 255)
        gif += char(data.mid(at, 255).size()) + data.mid(at, 255);
    return gif + QByteArray("\0;", 2);
}

} // namespace pellomar::test
