// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/column_heading.h"

#include "results/result_list_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace pellomar {

ColumnHeading::ColumnHeading(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Reached with Tab, so the list can be sorted without a mouse; a click does not take the
    // focus away from where the user was typing.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    adoptAccessibleInterface(this);
}

void ColumnHeading::setSortMark(std::optional<Qt::SortOrder> order)
{
    if (order == m_sortMark)
        return;
    m_sortMark = order;
    update();
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QString ColumnHeading::sortDescription() const
{
    if (!m_sortMark)
        return {};
    return *m_sortMark == Qt::AscendingOrder ? tr("sorted ascending") : tr("sorted descending");
}

void ColumnHeading::click()
{
    Q_EMIT clicked();
}

void ColumnHeading::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_sortMark && !hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int textRight = contentsRect().left() + metrics.horizontalAdvance(text());
    if (m_sortMark) {
        // A small triangle after the caption, pulled inside the label when the caption fills it.
        const qreal size = metrics.ascent() * 0.5;
        const qreal left = std::min(textRight + size * 0.6, width() - size - 1.0);
        const qreal middle = metrics.ascent() * 0.55;
        QPainterPath mark;
        if (*m_sortMark == Qt::AscendingOrder) {
            mark.moveTo(left, middle + size / 2);
            mark.lineTo(left + size, middle + size / 2);
            mark.lineTo(left + size / 2, middle - size / 2);
        } else {
            mark.moveTo(left, middle - size / 2);
            mark.lineTo(left + size, middle - size / 2);
            mark.lineTo(left + size / 2, middle + size / 2);
        }
        mark.closeSubpath();
        painter.fillPath(mark, palette().color(QPalette::WindowText));
    }
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(QRect(0, 0, std::min(textRight + 1, width() - 1), metrics.height()));
    }
}

void ColumnHeading::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ColumnHeading::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = std::exchange(m_pressed, false);
    if (wasPressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()))
        click();
    event->accept();
}

void ColumnHeading::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            click();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

} // namespace pellomar
