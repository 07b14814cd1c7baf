#include "clickable_label.h"

#include <QMouseEvent>

namespace pellomar {

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A press that is dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace pellomar
