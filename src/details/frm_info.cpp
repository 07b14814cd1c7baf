#include "details/frm_info.h"

#include "details/decoration.h"
#include "details/frm_image.h"
#include "details/image_request.h"
#include "details/map_link.h"
#include "details/picture.h"
#include "details/saved_hotspot.h"
#include "platform/browser.h"
#include "platform/click_label.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace pellomar {

namespace {

QLabel *makeLabel(
    QWidget *parent, const QString &name, const QString &caption, QRect geometry, bool bold = false)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Values come from the directory server: never interpreted as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(verdana(8.25, bold));
    label->setGeometry(geometry);
    return label;
}

} // namespace

frmInfo::frmInfo(
    AppContext context, std::string record, CountryNameLookup countryName, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_context(std::move(context))
    , m_record(std::move(record))
    , m_countryName(std::move(countryName))
{
    setObjectName(QStringLiteral("frmInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    Sock.setObjectName(QStringLiteral("Sock"));
    Sock.setParent(this);
    connect(&Sock, &Connection::finished, this, &frmInfo::Sock_Finished);
    connect(&Sock, &Connection::failed, this, [this] { Q_EMIT imageDownloadEnded(false); });
    setupUi();
    // Filled before the first showing too, so the window never appears blank.
    showDetails();
}

frmInfo::~frmInfo()
{
    Sock.abort();
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

    const struct {
        int index;
        const char *caption;
        int left, top, width, height;
    } captions[] = {
        { 16, "Hotspot information", 240, 180, 3615, 255 },
        { 0, "Location Name", 240, 600, 2055, 375 },
        { 1, "Type", 240, 840, 2055, 255 },
        { 6, "Location Type", 240, 1080, 2055, 255 },
        { 2, "Operator", 240, 1440, 2055, 255 },
        { 3, "Website URL", 240, 1680, 2055, 255 },
        { 4, "Phone Number", 240, 1920, 2055, 255 },
        { 5, "Email Address", 240, 2160, 2055, 255 },
        { 7, "Address", 240, 2640, 2055, 255 },
        { 9, "City", 240, 3240, 735, 255 },
        { 8, "ZIP", 240, 3480, 735, 255 },
        { 10, "Country", 240, 3720, 975, 255 },
        { 13, "Technology", 240, 4200, 1215, 255 },
        { 14, "SSid Info", 240, 4440, 1095, 255 },
        { 11, "Latitude", 240, 4800, 1095, 255 },
        { 12, "Longitude", 240, 5040, 1215, 255 },
    };
    for (const auto &c : captions) {
        Label1[std::size_t(c.index)] = makeLabel(this, QStringLiteral("Label1_%1").arg(c.index),
            QString::fromLatin1(c.caption), twipsRect(c.left, c.top, c.width, c.height), true);
    }
    QPalette onBand = Label1[16]->palette();
    onBand.setColor(QPalette::WindowText, Qt::white);
    Label1[16]->setPalette(onBand);

    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Location description :"),
        twipsRect(5160, 2640, 3015, 255), true);

    const QString design = QStringLiteral("Label2");
    lblName
        = makeLabel(this, QStringLiteral("lblName"), design, twipsRect(2160, 600, 3975, 255), true);
    lblType = makeLabel(this, QStringLiteral("lblType"), design, twipsRect(2160, 840, 3855, 255));
    lblLocType
        = makeLabel(this, QStringLiteral("lblLocType"), design, twipsRect(2160, 1080, 3855, 255));
    lblOperator = makeLabel(
        this, QStringLiteral("lblOperator"), design, twipsRect(2160, 1440, 3615, 255), true);

    lblURL = new ClickLabel(this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblURL->setFont(verdana(8.25, true, true));
    lblURL->setGeometry(twipsRect(2160, 1680, 3975, 255));
    lblURL->setCursor(Qt::PointingHandCursor);
    connect(lblURL, &ClickLabel::clicked, this, &frmInfo::lblURL_Click);

    lblPhone
        = makeLabel(this, QStringLiteral("lblPhone"), design, twipsRect(2160, 1920, 3735, 255));
    lblEmail
        = makeLabel(this, QStringLiteral("lblEmail"), design, twipsRect(2160, 2160, 3855, 255));
    lblAddress
        = makeLabel(this, QStringLiteral("lblAddress"), design, twipsRect(1200, 2640, 3735, 495));
    lblCity = makeLabel(this, QStringLiteral("lblCity"), design, twipsRect(1200, 3240, 3735, 255));
    lblZIP = makeLabel(this, QStringLiteral("lblZIP"), design, twipsRect(1200, 3480, 3735, 255));
    lblCountry
        = makeLabel(this, QStringLiteral("lblCountry"), design, twipsRect(1200, 3720, 3735, 255));
    lblTechnology = makeLabel(
        this, QStringLiteral("lblTechnology"), design, twipsRect(1440, 4200, 3375, 255));
    lblSSInfo
        = makeLabel(this, QStringLiteral("lblSSInfo"), design, twipsRect(1440, 4440, 3495, 255));
    lblLatitude
        = makeLabel(this, QStringLiteral("lblLatitude"), design, twipsRect(1440, 4800, 3015, 255));
    lblLongitude
        = makeLabel(this, QStringLiteral("lblLongitude"), design, twipsRect(1440, 5040, 3015, 255));
    lblInfo = makeLabel(
        this, QStringLiteral("lblInfo"), QStringLiteral("Info"), twipsRect(5160, 2880, 3855, 1815));

    // The hint lies inside the thumbnail's box, beneath it: a picture, once shown, covers it.
    Label3 = makeLabel(this, QStringLiteral("Label3"),
        QStringLiteral("Images may take a few seconds to download (if image is available)"),
        twipsRect(6480, 720, 2415, 1575), true);

    Image1 = new ClickLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(twipsRect(6240, 600, 2895, 1815));
    connect(Image1, &ClickLabel::clicked, this, &frmInfo::Image1_Click);

    SaveHotspot = new QPushButton(QStringLiteral("Save hotspot to a text file"), this);
    SaveHotspot->setObjectName(QStringLiteral("SaveHotspot"));
    SaveHotspot->setFont(verdana(8.25, true));
    SaveHotspot->setGeometry(twipsRect(5040, 4920, 2775, 375));
    connect(SaveHotspot, &QPushButton::clicked, this, &frmInfo::SaveHotspot_Click);

    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(verdana(8.25, true));
    Command1->setGeometry(twipsRect(7920, 4920, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, &frmInfo::Command1_Click);

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

    // A screen reader tells each value with the caption it stands beside.
    const std::array<std::pair<QLabel *, QLabel *>, 16> captioned { {
        { lblName, Label1[0] },
        { lblType, Label1[1] },
        { lblLocType, Label1[6] },
        { lblOperator, Label1[2] },
        { lblURL, Label1[3] },
        { lblPhone, Label1[4] },
        { lblEmail, Label1[5] },
        { lblAddress, Label1[7] },
        { lblCity, Label1[9] },
        { lblZIP, Label1[8] },
        { lblCountry, Label1[10] },
        { lblTechnology, Label1[13] },
        { lblSSInfo, Label1[14] },
        { lblLatitude, Label1[11] },
        { lblLongitude, Label1[12] },
        { lblInfo, Label2 },
    } };
    for (const auto &[value, caption] : captioned)
        value->setAccessibleDescription(caption->text());
    Image1->setAccessibleName(QStringLiteral("Location image"));

    // The right end of the title band is free in the designed window: the map link goes
    // there, so nothing designed moves.
    m_mapLink = new ClickLabel(QStringLiteral("Show on map"), this);
    m_mapLink->setObjectName(QStringLiteral("mapLink"));
    m_mapLink->setAccessibleName(m_mapLink->text());
    m_mapLink->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_mapLink->setFont(verdana(8.25, true, true));
    m_mapLink->setPalette(onBand);
    m_mapLink->setCursor(Qt::PointingHandCursor);
    m_mapLink->setGeometry(twipsRect(6240, 180, 2895, 255));
    m_mapLink->hide();
    connect(m_mapLink, &ClickLabel::clicked, this, &frmInfo::showOnMap);
}

void frmInfo::Form_Activate()
{
    showDetails();
    // The kept record never changes, so a picture once shown is this window's for good; a
    // download that failed is tried again when the user comes back to the window.
    if (m_details.hasImage && m_pictureBytes.isEmpty() && !Sock.isRunning())
        DownloadImage();
}

void frmInfo::showDetails()
{
    m_details = ReadHotspotDetails(m_record, m_countryName);
    const HotspotDetails &d = m_details;
    setWindowTitle(displayText(d.title));
    lblName->setText(displayText(d.lblName));
    lblType->setText(displayText(d.lblType));
    lblLocType->setText(displayText(d.lblLocType));
    lblOperator->setText(displayText(d.lblOperator));
    lblPhone->setText(displayText(d.lblPhone));
    lblURL->setText(displayText(d.lblURL));
    // A long address is cut at the label's edge; the whole of it shows on hovering.
    lblURL->setToolTip(plainToolTip(lblURL->text()));
    lblEmail->setText(displayText(d.lblEmail));
    lblAddress->setText(displayText(d.lblAddress));
    lblZIP->setText(displayText(d.lblZIP));
    lblCity->setText(displayText(d.lblCity));
    lblCountry->setText(displayText(d.lblCountry));
    lblTechnology->setText(displayText(d.lblTechnology));
    lblSSInfo->setText(displayText(d.lblSSInfo));
    lblInfo->setText(displayText(d.lblInfo));
    lblLatitude->setText(displayText(d.lblLatitude));
    lblLongitude->setText(displayText(d.lblLongitude));
    const auto mapAddress = MapAddress(d.lblLatitude, d.lblLongitude);
    m_mapLink->setVisible(mapAddress.has_value());
    m_mapLink->setToolTip(
        plainToolTip(mapAddress ? QString::fromStdString(*mapAddress) : QString()));
}

void frmInfo::DownloadImage()
{
    const std::string request
        = ImageRequest(m_details.ImageURL, toBytes(m_context.server.hostHeader()));
    Sock.start(m_context.server, QByteArray::fromStdString(request));
}

void frmInfo::Sock_Finished(const QByteArray &reply)
{
    const auto body = ImageReplyBody(asView(reply));
    const QByteArray bytes
        = body ? QByteArray(body->data(), qsizetype(body->size())) : QByteArray();
    // Stretched into the box, as designed, and decoded at that size: a window keeps only what
    // it shows, and the full picture is decoded when the image window shows it.
    const qreal ratio = devicePixelRatioF();
    const std::optional<QImage> thumbnail = DecodePicture(bytes, Image1->size() * ratio);
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
    Image1->setPixmap(pixmap);
    Q_EMIT imageDownloadEnded(true);
}

void frmInfo::Image1_Click()
{
    // Before a picture has arrived there is nothing to enlarge.
    if (const auto picture = DecodePicture(m_pictureBytes))
        frmImage::showPicture(*picture);
}

void frmInfo::lblURL_Click()
{
    // Only http:// and https:// addresses are handed on; anything else does nothing.
    OpenInBrowser(lblURL->text());
}

void frmInfo::showOnMap()
{
    if (const auto address = MapAddress(m_details.lblLatitude, m_details.lblLongitude))
        OpenInBrowser(QString::fromStdString(*address));
}

void frmInfo::Command1_Click()
{
    close();
}

void frmInfo::SaveHotspot_Click()
{
    const QString fileName
        = SaveDialog::getSaveFileName(this, QStringLiteral("Text Files (*.txt)"));
    if (fileName.trimmed().isEmpty())
        return;
    saveChosenFile(this, fileName, QByteArray::fromStdString(SavedHotspotText(m_details)),
        QStringLiteral("Saved"),
        QStringLiteral("Hotspot Information Saved!\r\n\r\n")
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
    Sock.abort();
    event->accept();
}

} // namespace pellomar
