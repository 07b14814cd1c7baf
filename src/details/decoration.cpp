// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/decoration.h"

#include "platform/look.h"

#include <QPainter>
#include <algorithm>

namespace pellomar {

Decoration::Decoration(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

Decoration *Decoration::line(QWidget *parent, int x1, int y1, int x2, int y2, const QColor &colour)
{
    auto *line = new Decoration(parent);
    line->setFill(colour);
    const int left = twips(std::min(x1, x2));
    const int top = twips(std::min(y1, y2));
    line->setGeometry(left, top, std::max(1, twips(std::max(x1, x2)) - left),
        std::max(1, twips(std::max(y1, y2)) - top));
    return line;
}

void Decoration::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_radius > 0);
    painter.setPen(m_border.isValid() ? QPen(m_border, 1) : QPen(Qt::NoPen));
    painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : QBrush(Qt::NoBrush));
    // Inset by half a pixel so a one-pixel border lies inside the widget.
    const QRectF box
        = m_border.isValid() ? QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5) : QRectF(rect());
    if (m_radius > 0)
        painter.drawRoundedRect(box, m_radius, m_radius);
    else
        painter.drawRect(box);
}

} // namespace pellomar
