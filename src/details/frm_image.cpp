// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/frm_image.h"

#include "platform/look.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>

namespace pellomar {

namespace {
QPointer<frmImage> &theWindow()
{
    static QPointer<frmImage> window;
    return window;
}
} // namespace

frmImage::frmImage(QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmImage"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Hotspot location image"));
    resize(twips(4680), twips(3195));

    m_area = new QScrollArea(this);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_area->setGeometry(rect());

    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(0, 0, twips(495), twips(375));
    m_area->setWidget(m_picture);
    m_picture->setAccessibleName(tr("Location image"));

    auto *closeKeys = new QAction(this);
    closeKeys->setShortcuts({ QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) });
    connect(closeKeys, &QAction::triggered, this, &QWidget::close);
    addAction(closeKeys);
}

frmImage *frmImage::instance()
{
    return theWindow();
}

frmImage *frmImage::showPicture(const QImage &picture)
{
    frmImage *window = theWindow();
    const bool opening = window == nullptr || !window->isVisible();
    if (!window) {
        window = new frmImage;
        theWindow() = window;
    }
    window->LoadIm(picture);
    if (opening) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            window->move(screen->availableGeometry().center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void frmImage::LoadIm(const QImage &picture)
{
    const QPixmap pixmap = QPixmap::fromImage(picture);
    m_picture->setPixmap(pixmap);
    const QSize natural = pixmap.deviceIndependentSize().toSize();
    m_picture->resize(natural);

    // The client area takes the picture's size, so no border covers its edges; a picture
    // larger than the screen scrolls instead of growing the window past it.
    QSize client = natural;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        client = client.boundedTo(screen->availableSize() - QSize(16, 48));
    setFixedSize(client);
    m_area->setGeometry(rect());
}

} // namespace pellomar
