#pragma once

#include <QLabel>
#include <QStringList>
#include <QTextDocument>
#include <QWidget>

namespace pellomar::test {

// What a tooltip shows: Qt reads one that looks like markup as markup.
inline QString shownToolTip(const QString &tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

// The labels of `window` that show text but would read it as markup.
inline QStringList labelsReadingMarkup(const QWidget *window)
{
    QStringList found;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->textFormat() != Qt::PlainText)
            found << label->objectName();
    }
    return found;
}

} // namespace pellomar::test
