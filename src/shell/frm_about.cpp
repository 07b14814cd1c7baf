// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frm_about.h"

#include "platform/browser.h"
#include "platform/click_label.h"
#include "platform/designed_controls.h"
#include "platform/tool_tip.h"
#include "shell/artwork.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace pellomar {

namespace {

const DesignedControl Design[] = {
    { "Label2", 120, 1560, 3255, 255,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Pellomar hotspot finder"), Face::Title },
    { "Label5", 120, 2280, 5175, 615,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls",
            "Locate WiFi hotspots around the world, with our easy to use application. You may "
            "also submit your own hotspots to our database."),
        Face::Regular },
    { "lblLicence", 120, 2940, 3855, 255,
        QT_TRANSLATE_NOOP(
            "pellomar::DesignedControls", "Free software: GNU GPL, version 3 or later"),
        Face::Regular },
    { "Label1", 120, 3240, 3855, 255, QT_TRANSLATE_NOOP("pellomar::DesignedControls", "website : "),
        Face::Link },
    { "Command1", 4080, 3120, 1215, 375, QT_TRANSLATE_NOOP("pellomar::DesignedControls", "&Ok"),
        Face::Regular },
};

} // namespace

frmAbout::frmAbout(const QString &siteUrl, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Pellomar hotspot finder"));
    setFont(verdana(9.75));
    setFixedSize(twips(5385), twips(3630));
    setModal(true);

    auto *banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Picture1"));
    banner->setGeometry(twipsRect(0, 0, 5385, 1500));
    banner->setPixmap(bannerPixmap(banner->size()));

    const DesignedControls design(this, Design);
    // The title and the link sit in the middle of their lines.
    design.make<QLabel>("Label2")->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twips(120), twips(2160) - 1, twips(5280) - twips(120), 2);
    design.make<QLabel>("Label5")->setWordWrap(true);
    // Map data imported into a directory keep their own credit, on the directory's home page.
    design.make<QLabel>("lblLicence")
        ->setToolTip(tr("Pellomar may be shared and changed under the terms of the GNU General "
                        "Public License, version 3 or any later version. It comes with no "
                        "warranty."));

    auto *Label1 = design.make<ClickLabel>("Label1");
    Label1->setText(Label1->text() + siteUrl);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setToolTip(plainToolTip(siteUrl));
    connect(Label1, &ClickLabel::clicked, this, [siteUrl] { OpenInBrowser(siteUrl); });

    auto *Command1 = design.make<QPushButton>("Command1");
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *where = screen()) {
        QRect place(QPoint(), frameGeometry().size());
        place.moveCenter(where->availableGeometry().center());
        move(place.topLeft());
    }
}

} // namespace pellomar
