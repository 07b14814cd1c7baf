// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/artwork.h"

#include "platform/look.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pellomar {

namespace {

const QColor Navy(18, 52, 102);
const QColor Sky(70, 140, 205);
const QColor Signal(255, 160, 40);

// Pixmaps follow the screen's density so the pictures stay sharp on high-density screens.
QPixmap canvas(QSize size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A hotspot sign: a dot with three waves rising from it, fitted into `box`.
void drawSignal(QPainter &p, const QRectF &box, const QColor &colour)
{
    const qreal side = qMin(box.width(), box.height());
    const QPointF base(box.center().x(), box.center().y() + side * 0.32);
    const qreal dot = side * 0.09;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(base, dot, dot);
    QPen pen(colour, side * 0.085, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int wave = 1; wave <= 3; ++wave) {
        const qreal r = side * (0.09 + 0.2 * wave);
        const QRectF arc(base.x() - r, base.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, 45 * 16, 90 * 16);
    }
    p.restore();
}

void drawWordmark(QPainter &p, const QRectF &box, const QString &text, qreal pixelSize,
    const QColor &colour, Qt::Alignment align)
{
    // Pixel sizes, so the pictures look the same whatever the screen's dots per inch.
    QFont font = verdana(9, true);
    font.setPixelSize(qMax(6, qRound(pixelSize)));
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, align | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace

QPixmap logoPixmap()
{
    const QSize size(177, 89);
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
    sky.setColorAt(0, Sky);
    sky.setColorAt(1, Navy);
    p.setPen(QPen(Navy, 1));
    p.setBrush(sky);
    p.drawRoundedRect(frame, 8, 8);

    drawSignal(p, QRectF(6, 6, 62, 62), Signal);
    drawWordmark(
        p, QRectF(66, 10, 108, 44), QStringLiteral("Pellomar"), 21, Qt::white, Qt::AlignLeft);
    drawWordmark(p, QRectF(10, 64, 160, 20), QStringLiteral("wireless hotspots"), 12,
        QColor(220, 232, 245), Qt::AlignHCenter);
    return pixmap;
}

QPixmap bannerPixmap(QSize size)
{
    QPixmap pixmap = canvas(size);
    if (size.isEmpty())
        return pixmap;
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(size));

    QLinearGradient band(all.topLeft(), all.topRight());
    band.setColorAt(0, Navy);
    band.setColorAt(1, Sky);
    p.fillRect(all, band);

    // Faint waves spreading over the band from the right.
    const QPointF source(all.right() - all.height() * 0.25, all.bottom());
    p.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 6; ++ring) {
        const qreal r = all.height() * 0.35 * ring;
        p.setPen(QPen(QColor(255, 255, 255, 60 - 8 * ring), all.height() * 0.08));
        p.drawEllipse(source, r, r);
    }

    const qreal h = all.height();
    drawSignal(p, QRectF(h * 0.1, h * 0.1, h * 0.8, h * 0.8), Signal);
    const QRectF text(h, h * 0.12, all.width() - h * 1.1, h * 0.5);
    drawWordmark(p, text, QStringLiteral("Pellomar"), h * 0.36, Qt::white, Qt::AlignLeft);
    drawWordmark(p, text.translated(0, h * 0.38), QStringLiteral("hotspot locator"), h * 0.2,
        QColor(220, 232, 245), Qt::AlignLeft);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int side : { 16, 24, 32, 48, 64, 128, 256 }) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF tile = QRectF(0, 0, side, side).adjusted(0.5, 0.5, -0.5, -0.5);
        QRadialGradient glow(tile.center(), side * 0.7);
        glow.setColorAt(0, Sky);
        glow.setColorAt(1, Navy);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRoundedRect(tile, side * 0.18, side * 0.18);
        drawSignal(p, tile.adjusted(side * 0.1, side * 0.08, -side * 0.1, -side * 0.12), Signal);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace pellomar
