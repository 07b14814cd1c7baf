#include "shell/frm_about.h"

#include "platform/browser.h"
#include "platform/click_label.h"
#include "platform/display_text.h"
#include "platform/look.h"
#include "shell/artwork.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace pellomar {

frmAbout::frmAbout(QString siteUrl, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_siteUrl(std::move(siteUrl))
{
    setObjectName(QStringLiteral("frmAbout"));
    setupUi();
}

frmAbout::~frmAbout() = default;

void frmAbout::setupUi()
{
    setWindowTitle(QStringLiteral("About Pellomar hotspot finder"));
    setFont(verdana(9.75));
    setFixedSize(twips(5385), twips(3630));
    setModal(true);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(0, 0, 5385, 1500));
    Picture1->setPixmap(bannerPixmap(Picture1->size()));

    Label2 = new QLabel(QStringLiteral("Pellomar hotspot finder"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFont(verdana(9.75, true));
    Label2->setGeometry(twipsRect(120, 1560, 3255, 255));

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twips(120), twips(2160) - 1, twips(5280) - twips(120), 2);

    Label5
        = new QLabel(QStringLiteral("Locate WiFi hotspots around the world, with our easy to use "
                                    "application. You may also submit your own hotspots to our "
                                    "database."),
            this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setTextFormat(Qt::PlainText);
    Label5->setFont(verdana(8.25));
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setGeometry(twipsRect(120, 2280, 5175, 615));

    Label1 = new ClickLabel(QStringLiteral("website : ") + m_siteUrl, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(verdana(8.25, true, true));
    Label1->setGeometry(twipsRect(120, 3240, 3855, 255));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setToolTip(plainToolTip(m_siteUrl));
    connect(Label1, &ClickLabel::clicked, this, &frmAbout::Label1_Click);

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(verdana(8.25));
    Command1->setGeometry(twipsRect(4080, 3120, 1215, 375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
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

void frmAbout::Command1_Click()
{
    accept();
}

void frmAbout::Label1_Click()
{
    OpenInBrowser(m_siteUrl);
}

} // namespace pellomar
