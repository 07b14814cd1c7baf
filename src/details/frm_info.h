// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "details/hotspot_details.h"
#include "platform/app_context.h"
#include "platform/connection.h"

#include <QByteArray>
#include <QWidget>
#include <array>
#include <string>

class QLabel;

namespace pellomar {

class ClickLabel;

// The detail window of one hotspot. It keeps the values of the record it was opened on, so a
// later search never changes what it shows or saves; it downloads the location picture over
// its own connection, and deletes itself when closed.
class frmInfo : public QWidget {
    Q_OBJECT

public:
    frmInfo(AppContext context, std::string_view record, const CountryNameLookup &countryName,
        QWidget *parent = nullptr);
    ~frmInfo() override;

    const HotspotDetails &details() const { return m_details; }
    // The picture last received for this window, as received; empty while there is none. The
    // window keeps these bytes and the thumbnail it shows, never the full picture.
    const QByteArray &pictureBytes() const { return m_pictureBytes; }
    bool isDownloading() const { return m_pictureDownload.isRunning(); }

    // Fills the labels and starts the picture download when the record names one and this
    // window has no picture yet. Runs each time the window becomes active.
    void Form_Activate();
    // Starts the picture download afresh, dropping one that is running.
    void DownloadImage();

Q_SIGNALS:
    // A download ended: with a picture shown, or quietly without one (not a picture, no
    // connection, broken, no progress).
    void imageDownloadEnded(bool pictureShown);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupUi();
    void showDetails();
    void SaveHotspot_Click();
    void Image1_Click();
    void pictureDownloaded(const QByteArray &reply);

    AppContext m_context;
    const HotspotDetails m_details;
    QByteArray m_pictureBytes;
    bool m_shownOnce = false;
    // The picture download; tests shorten its time-outs through this object ("Sock").
    Connection m_pictureDownload;

    // The value labels, lblName to lblInfo, in the order of the design.
    std::array<QLabel *, 16> m_values {};
    ClickLabel *m_website = nullptr;
    ClickLabel *m_picture = nullptr;
    // "Show on map", on the title band; shown only when the hotspot has a usable position.
    ClickLabel *m_mapLink = nullptr;
};

} // namespace pellomar
