#pragma once

#include "details/hotspot_details.h"
#include "platform/app_context.h"
#include "platform/connection.h"

#include <QByteArray>
#include <QWidget>
#include <array>
#include <string>

class QLabel;
class QPushButton;

namespace pellomar {

class ClickLabel;

// The detail window of one hotspot. It keeps its own copy of the record it was opened on,
// so a later search never changes what it shows or saves; it downloads the location picture
// over its own connection, and deletes itself when closed.
class frmInfo : public QWidget {
    Q_OBJECT

public:
    frmInfo(AppContext context, std::string record, CountryNameLookup countryName,
        QWidget *parent = nullptr);
    ~frmInfo() override;

    const std::string &record() const { return m_record; }
    const HotspotDetails &details() const { return m_details; }
    // The picture last received for this window, as received; empty while there is none. The
    // window keeps these bytes and the thumbnail it shows, never the full picture.
    const QByteArray &pictureBytes() const { return m_pictureBytes; }
    bool isDownloading() const { return Sock.isRunning(); }

    // Fills the labels from the kept record and starts the picture download when the record
    // names one and this window has no picture yet. Runs each time the window becomes active.
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
    void Command1_Click();
    void SaveHotspot_Click();
    void lblURL_Click();
    void showOnMap();
    void Image1_Click();
    void Sock_Finished(const QByteArray &reply);

    AppContext m_context;
    const std::string m_record;
    CountryNameLookup m_countryName;
    HotspotDetails m_details;
    QByteArray m_pictureBytes;
    bool m_shownOnce = false;
    Connection Sock;

    // Controls, named as on the designed window.
    std::array<QLabel *, 17> Label1 {};
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblType = nullptr;
    QLabel *lblLocType = nullptr;
    QLabel *lblOperator = nullptr;
    ClickLabel *lblURL = nullptr;
    QLabel *lblPhone = nullptr;
    QLabel *lblEmail = nullptr;
    QLabel *lblAddress = nullptr;
    QLabel *lblCity = nullptr;
    QLabel *lblZIP = nullptr;
    QLabel *lblCountry = nullptr;
    QLabel *lblTechnology = nullptr;
    QLabel *lblSSInfo = nullptr;
    QLabel *lblLatitude = nullptr;
    QLabel *lblLongitude = nullptr;
    QLabel *lblInfo = nullptr;
    ClickLabel *Image1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *SaveHotspot = nullptr;
    // "Show on map", on the title band; shown only when the hotspot has a usable position.
    ClickLabel *m_mapLink = nullptr;
};

} // namespace pellomar
