#include "platform/save_dialog.h"

#include <QFileDialog>

namespace pellomar::SaveDialog {

namespace {
Responder &responder()
{
    static Responder instance;
    return instance;
}
} // namespace

QString getSaveFileName(QWidget *parent, const QString &filter, QString *selectedFilter)
{
    const Request request { filter };
    if (responder()) {
        if (selectedFilter)
            *selectedFilter = filter.section(QStringLiteral(";;"), 0, 0);
        return responder()(request);
    }
    return QFileDialog::getSaveFileName(parent, QString(), QString(), request.filter,
        selectedFilter, QFileDialog::DontConfirmOverwrite);
}

void setResponder(Responder answer)
{
    responder() = std::move(answer);
}

} // namespace pellomar::SaveDialog
