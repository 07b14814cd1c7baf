// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace pellomar {

// The designed windows' shapes and lines: filled or framed rectangles, optionally with
// rounded corners, that take no input and sit behind the controls.
class Decoration : public QWidget {
    Q_OBJECT

public:
    explicit Decoration(QWidget *parent = nullptr);

    void setFill(const QColor &colour) { m_fill = colour; }
    void setBorder(const QColor &colour) { m_border = colour; }
    void setCornerRadius(int pixels) { m_radius = pixels; }

    // A line between two points in twips: horizontal or vertical, one pixel thick.
    static Decoration *line(QWidget *parent, int x1, int y1, int x2, int y2, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill; // invalid: not filled
    QColor m_border; // invalid: no border
    int m_radius = 0;
};

// The system colours the designs name, as on the desktop they were drawn for.
namespace SystemColour {
inline QColor scrollBar()
{
    return QColor(212, 208, 200);
}
inline QColor inactiveTitle()
{
    return QColor(122, 150, 223);
}
inline QColor inactiveTitleText()
{
    return QColor(216, 228, 248);
}
} // namespace SystemColour

} // namespace pellomar
