// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <optional>

namespace pellomar {

// A column heading of the result list (lblTitle): a label as designed that sorts the list
// when clicked, or when Space or Enter is pressed on it, and marks the column it sorts by.
class ColumnHeading : public QLabel {
    Q_OBJECT

public:
    explicit ColumnHeading(const QString &caption, QWidget *parent = nullptr);

    // The mark beside the caption: none, or the direction the list is sorted in.
    void setSortMark(std::optional<Qt::SortOrder> order);
    std::optional<Qt::SortOrder> sortMark() const { return m_sortMark; }
    // "sorted ascending", "sorted descending" or "": what a screen reader says of the mark.
    QString sortDescription() const;

    void click();

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::optional<Qt::SortOrder> m_sortMark;
    bool m_pressed = false;
};

} // namespace pellomar
