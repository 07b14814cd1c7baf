#include "save_dialog.h"

#include <QFileDialog>

namespace pellomar::SaveDialog {

namespace {
Responder &responder()
{
    static Responder instance;
    return instance;
}
} // namespace

QString getSaveFileName(QWidget *parent, const QString &filter)
{
    const Request request { filter };
    if (responder())
        return responder()(request);
    return QFileDialog::getSaveFileName(
        parent, QString(), QString(), request.filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

void setResponder(Responder answer)
{
    responder() = std::move(answer);
}

} // namespace pellomar::SaveDialog
