#pragma once

#include <QLabel>

namespace pellomar {

// A label that reports a click of the left mouse button: the main window's headings and its
// link to the directory web site react to clicks.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace pellomar
