// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/frm_info.h"

#include "details/decoration.h"
#include "details/frm_image.h"
#include "details/image_request.h"
#include "details/map_link.h"
#include "details/saved_hotspot.h"
#include "platform/browser.h"
#include "platform/click_label.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/look.h"
#include "platform/picture.h"
#include "platform/save_dialog.h"
#include "platform/tool_tip.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace pellomar {

namespace {

struct Place {
    int left, top, width, height;
};

enum class Face { Regular, Bold, Link };

// The captions, elements of the control array Label1, all bold.
const struct {
    int index;
    const char *caption;
    Place place;
} Captions[] = {
    { 16, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Hotspot information"), { 240, 180, 3615, 255 } },
    { 0, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Location Name"), { 240, 600, 2055, 375 } },
    { 1, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Type"), { 240, 840, 2055, 255 } },
    { 6, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Location Type"), { 240, 1080, 2055, 255 } },
    { 2, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Operator"), { 240, 1440, 2055, 255 } },
    { 3, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Website URL"), { 240, 1680, 2055, 255 } },
    { 4, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Phone Number"), { 240, 1920, 2055, 255 } },
    { 5, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Email Address"), { 240, 2160, 2055, 255 } },
    { 7, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Address"), { 240, 2640, 2055, 255 } },
    { 9, QT_TRANSLATE_NOOP("pellomar::frmInfo", "City"), { 240, 3240, 735, 255 } },
    { 8, QT_TRANSLATE_NOOP("pellomar::frmInfo", "ZIP"), { 240, 3480, 735, 255 } },
    { 10, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Country"), { 240, 3720, 975, 255 } },
    { 13, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Technology"), { 240, 4200, 1215, 255 } },
    { 14, QT_TRANSLATE_NOOP("pellomar::frmInfo", "SSid Info"), { 240, 4440, 1095, 255 } },
    { 11, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Latitude"), { 240, 4800, 1095, 255 } },
    { 12, QT_TRANSLATE_NOOP("pellomar::frmInfo", "Longitude"), { 240, 5040, 1215, 255 } },
};

// The value labels: the value each shows, and the caption (Label1 element) it stands beside;
// -1 for Label2, the description's heading.
const struct {
    const char *name;
    Place place;
    Face face;
    std::string HotspotDetails::*value;
    int caption;
} Values[] = {
    { "lblName", { 2160, 600, 3975, 255 }, Face::Bold, &HotspotDetails::locationName, 0 },
    { "lblType", { 2160, 840, 3855, 255 }, Face::Regular, &HotspotDetails::hotspotType, 1 },
    { "lblLocType", { 2160, 1080, 3855, 255 }, Face::Regular, &HotspotDetails::locationType, 6 },
    { "lblOperator", { 2160, 1440, 3615, 255 }, Face::Bold, &HotspotDetails::operatorName, 2 },
    { "lblURL", { 2160, 1680, 3975, 255 }, Face::Link, &HotspotDetails::websiteUrl, 3 },
    { "lblPhone", { 2160, 1920, 3735, 255 }, Face::Regular, &HotspotDetails::phoneNumber, 4 },
    { "lblEmail", { 2160, 2160, 3855, 255 }, Face::Regular, &HotspotDetails::emailAddress, 5 },
    { "lblAddress", { 1200, 2640, 3735, 495 }, Face::Regular, &HotspotDetails::address, 7 },
    { "lblCity", { 1200, 3240, 3735, 255 }, Face::Regular, &HotspotDetails::city, 9 },
    { "lblZIP", { 1200, 3480, 3735, 255 }, Face::Regular, &HotspotDetails::zip, 8 },
    { "lblCountry", { 1200, 3720, 3735, 255 }, Face::Regular, &HotspotDetails::countryName, 10 },
    { "lblTechnology", { 1440, 4200, 3375, 255 }, Face::Regular, &HotspotDetails::technology, 13 },
    { "lblSSInfo", { 1440, 4440, 3495, 255 }, Face::Regular, &HotspotDetails::ssidInfo, 14 },
    { "lblLatitude", { 1440, 4800, 3015, 255 }, Face::Regular, &HotspotDetails::latitude, 11 },
    { "lblLongitude", { 1440, 5040, 3015, 255 }, Face::Regular, &HotspotDetails::longitude, 12 },
    { "lblInfo", { 5160, 2880, 3855, 1815 }, Face::Regular, &HotspotDetails::description, -1 },
};

QRect pixels(const Place &p)
{
    return twipsRect(p.left, p.top, p.width, p.height);
}

// A label as designed: plain text from the top left, wrapped unless it is a link. Values come
// from the directory server: never interpreted as markup.
QLabel *makeLabel(
    QWidget *parent, const QString &name, const QString &caption, const Place &place, Face face)
{
    QLabel *label
        = face == Face::Link ? new ClickLabel(caption, parent) : new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(face != Face::Link);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(verdana(8.25, face != Face::Regular, face == Face::Link));
    label->setGeometry(pixels(place));
    if (face == Face::Link)
        label->setCursor(Qt::PointingHandCursor);
    return label;
}

QPushButton *makeButton(
    QWidget *parent, const QString &name, const QString &caption, const Place &place)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(verdana(8.25, true));
    button->setGeometry(pixels(place));
    return button;
}

} // namespace

frmInfo::frmInfo(AppContext context, std::string_view record, const CountryNameLookup &countryName,
    QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_context(std::move(context))
    , m_details(readHotspotDetails(record, countryName))
{
    setObjectName(QStringLiteral("frmInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_pictureDownload.setObjectName(QStringLiteral("Sock"));
    m_pictureDownload.setParent(this);
    connect(&m_pictureDownload, &Connection::finished, this, &frmInfo::pictureDownloaded);
    connect(&m_pictureDownload, &Connection::failed, this,
        [this] { Q_EMIT imageDownloadEnded(false); });
    setupUi();
    // Filled before the first showing too, so the window never appears blank.
    showDetails();
}

frmInfo::~frmInfo()
{
    m_pictureDownload.abort();
}

void frmInfo::setupUi()
{
    setFont(verdana(8.25));
    setFixedSize(twips(9375), twips(5490));

    auto *shape1 = new Decoration(this);
    shape1->setObjectName(QStringLiteral("Shape1_0"));
    shape1->setFill(Qt::white);
    shape1->setBorder(SystemColour::scrollBar());
    shape1->setGeometry(twipsRect(120, 120, 9135, 5295));
    auto *shape2 = new Decoration(this);
    shape2->setObjectName(QStringLiteral("Shape2_0"));
    shape2->setFill(SystemColour::inactiveTitle());
    shape2->setCornerRadius(6);
    shape2->setGeometry(twipsRect(120, 120, 9135, 375));
    auto *shape3 = new Decoration(this);
    shape3->setObjectName(QStringLiteral("Shape3"));
    shape3->setFill(SystemColour::inactiveTitleText());
    shape3->setGeometry(twipsRect(5040, 2520, 4095, 2295));
    const struct {
        const char *name;
        int x1, y1, x2, y2;
    } lines[] = {
        { "Line1", 240, 1320, 6120, 1320 },
        { "Line2", 240, 2520, 4920, 2520 },
        { "Line3", 1080, 2520, 1080, 3600 },
        { "Line4", 240, 4080, 4920, 4080 },
    };
    for (const auto &l : lines) {
        Decoration::line(this, l.x1, l.y1, l.x2, l.y2, SystemColour::scrollBar())
            ->setObjectName(QString::fromLatin1(l.name));
    }

    std::array<QLabel *, 17> Label1 {};
    for (const auto &c : Captions) {
        Label1[std::size_t(c.index)] = makeLabel(
            this, QStringLiteral("Label1_%1").arg(c.index), tr(c.caption), c.place, Face::Bold);
    }
    QPalette onBand = Label1[16]->palette();
    onBand.setColor(QPalette::WindowText, Qt::white);
    Label1[16]->setPalette(onBand);
    QLabel *Label2 = makeLabel(this, QStringLiteral("Label2"), tr("Location description :"),
        { 5160, 2640, 3015, 255 }, Face::Bold);

    // A screen reader tells each value with the caption it stands beside.
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        const auto &v = Values[i];
        m_values[i] = makeLabel(this, QString::fromLatin1(v.name), {}, v.place, v.face);
        m_values[i]->setAccessibleDescription(
            (v.caption < 0 ? Label2 : Label1[std::size_t(v.caption)])->text());
    }
    m_website = static_cast<ClickLabel *>(findChild<QLabel *>(QStringLiteral("lblURL")));
    // Only http:// and https:// addresses are handed on; anything else does nothing.
    connect(m_website, &ClickLabel::clicked, this, [this] { OpenInBrowser(m_website->text()); });

    // The hint lies inside the thumbnail's box, beneath it: a picture, once shown, covers it.
    makeLabel(this, QStringLiteral("Label3"),
        tr("Images may take a few seconds to download (if image is available)"),
        { 6480, 720, 2415, 1575 }, Face::Bold);
    m_picture = new ClickLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setScaledContents(true);
    m_picture->setGeometry(twipsRect(6240, 600, 2895, 1815));
    m_picture->setAccessibleName(tr("Location image"));
    connect(m_picture, &ClickLabel::clicked, this, &frmInfo::Image1_Click);

    auto *SaveHotspot = makeButton(this, QStringLiteral("SaveHotspot"),
        tr("Save hotspot to a text file"), { 5040, 4920, 2775, 375 });
    connect(SaveHotspot, &QPushButton::clicked, this, &frmInfo::SaveHotspot_Click);
    auto *Command1
        = makeButton(this, QStringLiteral("Command1"), tr("Close"), { 7920, 4920, 1215, 375 });
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    // Keys for the two buttons; Escape closes the window as its close box does.
    auto *saveKey = new QAction(this);
    saveKey->setObjectName(QStringLiteral("saveKey"));
    saveKey->setShortcut(QKeySequence::Save);
    connect(saveKey, &QAction::triggered, SaveHotspot, &QPushButton::click);
    auto *closeKeys = new QAction(this);
    closeKeys->setObjectName(QStringLiteral("closeKeys"));
    closeKeys->setShortcuts({ QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) });
    connect(closeKeys, &QAction::triggered, Command1, &QPushButton::click);
    addActions({ saveKey, closeKeys });
    SaveHotspot->setToolTip(saveKey->shortcut().toString(QKeySequence::NativeText));

    // The right end of the title band is free in the designed window: the map link goes
    // there, so nothing designed moves.
    m_mapLink = static_cast<ClickLabel *>(makeLabel(
        this, QStringLiteral("mapLink"), tr("Show on map"), { 6240, 180, 2895, 255 }, Face::Link));
    m_mapLink->setAccessibleName(m_mapLink->text());
    m_mapLink->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_mapLink->setPalette(onBand);
    m_mapLink->hide();
    connect(m_mapLink, &ClickLabel::clicked, this, [this] {
        if (const auto address = mapAddress(m_details.latitude, m_details.longitude))
            OpenInBrowser(QString::fromStdString(*address));
    });
}

void frmInfo::Form_Activate()
{
    showDetails();
    // The values never change, so a picture once shown is this window's for good; a download
    // that failed is tried again when the user comes back to the window.
    if (m_details.hasImage && m_pictureBytes.isEmpty() && !m_pictureDownload.isRunning())
        DownloadImage();
}

void frmInfo::showDetails()
{
    // A title's "[*]" is Qt's modified-marker; doubled, it stands for itself.
    setWindowTitle(displayText(m_details.locationName)
                       .replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i]->setText(displayText(m_details.*Values[i].value));
    // A long address is cut at the label's edge; the whole of it shows on hovering.
    m_website->setToolTip(plainToolTip(m_website->text()));
    const auto mapUrl = mapAddress(m_details.latitude, m_details.longitude);
    m_mapLink->setVisible(mapUrl.has_value());
    m_mapLink->setToolTip(plainToolTip(mapUrl ? QString::fromStdString(*mapUrl) : QString()));
}

void frmInfo::DownloadImage()
{
    startGet(m_pictureDownload, m_context.server, imageRequestPath(m_details.imagePath));
}

void frmInfo::pictureDownloaded(const QByteArray &reply)
{
    const auto body = imageReplyBody(asView(reply));
    const QByteArray bytes
        = body ? QByteArray(body->data(), qsizetype(body->size())) : QByteArray();
    // Stretched into the box, as designed, and decoded at that size: a window keeps only what
    // it shows, and the full picture is decoded when the image window shows it.
    const qreal ratio = devicePixelRatioF();
    const std::optional<QImage> thumbnail = decodePicture(bytes, m_picture->size() * ratio);
    if (!thumbnail) {
        Q_EMIT imageDownloadEnded(false);
        return;
    }
    // "img.dat" keeps the last picture received; a failure to write it does not stop the
    // picture from showing, since it is shown from the bytes just received.
    writeFileAtomically(m_context.imageFilePath(), bytes + "\r\n", FileOwner::Program);
    m_pictureBytes = bytes;
    QPixmap pixmap = QPixmap::fromImage(*thumbnail);
    pixmap.setDevicePixelRatio(ratio);
    m_picture->setPixmap(pixmap);
    Q_EMIT imageDownloadEnded(true);
}

void frmInfo::Image1_Click()
{
    // Before a picture has arrived there is nothing to enlarge.
    if (const auto picture = decodePicture(m_pictureBytes))
        frmImage::showPicture(*picture);
}

void frmInfo::SaveHotspot_Click()
{
    const QString fileName = SaveDialog::getSaveFileName(this, tr("Text Files (*.txt)"));
    if (fileName.trimmed().isEmpty())
        return;
    saveChosenFile(this, fileName, QByteArray::fromStdString(savedHotspotText(m_details)),
        tr("Saved"),
        tr("Hotspot Information Saved!\r\n\r\n")
            + QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()));
}

void frmInfo::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmInfo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && !m_shownOnce)
        move(screen->availableGeometry().center() - rect().center());
    m_shownOnce = true;
    // Where the platform reports no activation (or reports it late), showing fills the window.
    Form_Activate();
}

void frmInfo::closeEvent(QCloseEvent *event)
{
    // Closing ends any download with the window, at once.
    m_pictureDownload.abort();
    event->accept();
}

} // namespace pellomar
