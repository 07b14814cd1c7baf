#include "shell/frm_main.h"

#include "details/frm_info.h"
#include "platform/browser.h"
#include "platform/click_label.h"
#include "platform/display_text.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "reference/text_fields.h"
#include "results/column_heading.h"
#include "results/result_export.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "search/search_request.h"
#include "shell/artwork.h"
#include "shell/download_caption.h"
#include "shell/frm_about.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace pellomar {

namespace {

// The client area of the designed window, 11910 x 8820 twips.
constexpr QSize ClientSize(twips(11910), twips(8820));

// The decorative panels and header bands behind the search form and the result list.
struct Shape {
    QRect rect;
    bool band;
};
const std::array<Shape, 5> Shapes { {
    { twipsRect(120, 120, 11655, 2055), false }, // Shape1(0)
    { twipsRect(120, 2280, 11655, 5295), false }, // Shape1(1)
    { twipsRect(120, 7920, 11655, 855), false }, // Shape3
    { twipsRect(120, 120, 11655, 375), true }, // Shape2(0)
    { twipsRect(120, 2280, 11655, 375), true }, // Shape2(1)
} };

// The client area; it paints the shapes, which are no controls of their own.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QColor(150, 162, 178));
        for (const Shape &shape : Shapes) {
            p.setBrush(shape.band ? QColor(206, 221, 239) : QColor(255, 255, 255));
            // A 1-pixel outline drawn at the rectangle's edge stays inside its width.
            p.drawRect(shape.rect.adjusted(0, 0, -1, -1));
        }
    }
};

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &place,
    const QFont &font)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    // The status line shows server replies and file names: never markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

ClickLabel *makeLink(QWidget *parent, const QString &name, const QString &caption,
    const QRect &place, const QFont &font)
{
    auto *label = new ClickLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Editable, unsorted, and never changing what the user types: no completion, and typed text
// is not added to the list (a name is checked only when a search starts).
QComboBox *makeCombo(QWidget *parent, const QString &name, const QRect &place)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setGeometry(place);
    combo->setFont(verdana(8.25));
    combo->setMaxVisibleItems(16);
    return combo;
}

QLineEdit *makeTextBox(QWidget *parent, const QString &name, const QRect &place)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setFont(verdana(8.25));
    return edit;
}

// Shows `text` in an editable combo box, selecting the item of that text when there is one.
void showText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

QPalette withBackground(QPalette palette, const QColor &colour)
{
    palette.setColor(QPalette::Window, colour);
    return palette;
}

QPalette withForeground(QPalette palette, const QColor &colour)
{
    palette.setColor(QPalette::WindowText, colour);
    return palette;
}

} // namespace

frmMain::frmMain(
    AppContext context, ReferenceTable countries, ReferenceTable locationTypes, QWidget *parent)
    : QMainWindow(parent)
    , m_context(std::move(context))
    , m_countries(std::move(countries))
    , m_locationTypes(std::move(locationTypes))
{
    setObjectName(QStringLiteral("frmMain"));
    setupUi();
    LoadCountries();
    LoadLocationType();
    LoadHotspot();
    setWindowTitle(
        QStringLiteral("Pellomar hotspot locator (v %1)").arg(QStringLiteral(PELLOMAR_VERSION)));
}

frmMain::~frmMain() = default;

void frmMain::setupUi()
{
    setWindowTitle(QStringLiteral("Pellomar hotspot locator"));
    // Fixed size: no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *central = new ClientArea(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFont(verdana(9.75));
    central->setFixedSize(ClientSize);
    setCentralWidget(central);

    const QFont regular = verdana(8.25);
    const QFont bold = verdana(8.25, true);

    // The search panel.
    Picture4 = new QLabel(central);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setGeometry(twipsRect(240, 600, 2655, 1335));
    Picture4->setPixmap(logoPixmap());

    const QString label1 = QStringLiteral("Label1");
    Label1[0] = makeLink(central, controlArrayName(label1, 0),
        QStringLiteral("Search wireless hotspots :"), twipsRect(4440, 180, 2775, 255), bold);
    Label1[0]->setPalette(withForeground(Label1[0]->palette(), QColor(64, 64, 64)));

    const QString label2 = QStringLiteral("Label2");
    Label2[0] = makeLabel(central, controlArrayName(label2, 0), QStringLiteral("Country"),
        twipsRect(4440, 600, 1095, 255), regular);
    tCountry = makeCombo(central, QStringLiteral("tCountry"), twipsRect(5400, 600, 2775, 315));
    Label3 = makeLabel(central, QStringLiteral("Label3"), QStringLiteral("City"),
        twipsRect(8400, 600, 735, 255), regular);
    tCity = makeTextBox(central, QStringLiteral("tCity"), twipsRect(8880, 600, 2655, 285));
    Label2[1] = makeLabel(central, controlArrayName(label2, 1), QStringLiteral("ZIP Code"),
        twipsRect(8400, 960, 975, 255), regular);
    tZip = makeTextBox(central, QStringLiteral("tZip"), twipsRect(9480, 960, 2055, 270));
    Label2[2] = makeLabel(central, controlArrayName(label2, 2), QStringLiteral("Location Type"),
        twipsRect(4440, 1080, 1335, 255), regular);
    tLocation = makeCombo(central, QStringLiteral("tLocation"), twipsRect(5760, 1080, 2415, 315));
    Label2[3] = makeLabel(central, controlArrayName(label2, 3), QStringLiteral("Hotspot Type"),
        twipsRect(4440, 1560, 1575, 255), regular);
    tHotspot = makeCombo(central, QStringLiteral("tHotspot"), twipsRect(5760, 1560, 2655, 315));

    Command1 = new QPushButton(QStringLiteral("Search hotspots!"), central);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(8640, 1560, 2895, 495));
    Command1->setFont(bold);

    // The link to the directory web site follows the server in use; a longer address than the
    // designed one widens the label into the free space beside it instead of being cut off.
    auto *link = makeLink(central, controlArrayName(label1, 2), m_context.server.siteUrl(),
        twipsRect(360, 1920, 3255, 255), verdana(8.25, true, true));
    link->setPalette(withForeground(link->palette(), QColor(0, 0, 192)));
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(plainToolTip(m_context.server.siteUrl()));
    const int roomBesideLink = twips(8520) - link->x();
    link->resize(qBound(link->width(), link->sizeHint().width(), roomBesideLink), link->height());
    Label1[2] = link;

    // The result panel.
    Label1[1] = makeLink(central, controlArrayName(label1, 1),
        QStringLiteral("Wireless hotspots matching your query:"), twipsRect(240, 2340, 4095, 255),
        bold);
    const std::array<int, 6> headingLeft { 720, 3120, 4920, 6600, 8280, 9480 };
    for (std::size_t i = 0; i < lblTitle.size(); ++i) {
        lblTitle[i] = new ColumnHeading(
            QString::fromLatin1(ResultLayout::ColumnNames[ResultLayout::FirstTextColumn + i]),
            central);
        lblTitle[i]->setObjectName(controlArrayName(QStringLiteral("lblTitle"), int(i)));
        lblTitle[i]->setGeometry(twipsRect(headingLeft[i], 2760, 1575, 255));
        lblTitle[i]->setFont(bold);
    }
    // In the result panel's header band, right of its title.
    txtFilter = makeTextBox(central, QStringLiteral("txtFilter"), twipsRect(8640, 2310, 2895, 315));
    txtFilter->setPlaceholderText(QStringLiteral("Filter"));
    txtFilter->setAccessibleName(QStringLiteral("Filter"));
    txtFilter->setClearButtonEnabled(true);

    Picture1 = new ResultListView(m_countries, central);
    connect(Picture1, &ResultListView::openRow, this, &frmMain::OpenInfo);
    // A load runs to its end without letting any event in, except while the "Max Results"
    // message waits: that is when the button must not start another search.
    connect(Picture1->loader(), &ResultLoader::limitMessageShowing, this,
        [this] { Command1->setEnabled(false); });
    Picture1->attachHeadings(lblTitle);
    Picture1->attachFilter(txtFilter);
    // Enter in the filter goes on to the rows it left.
    connect(txtFilter, &QLineEdit::returnPressed, Picture1,
        [this] { Picture1->setFocus(Qt::TabFocusReason); });

    lblStatus = makeLabel(central, QStringLiteral("lblStatus"),
        QStringLiteral("Welcome to Pellomar."), twipsRect(120, 7635, 10575, 375), verdana(9));
    lblResults = makeLabel(central, QStringLiteral("lblResults"), QString(),
        twipsRect(9360, 8280, 2295, 375), verdana(14.25));
    lblResults->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // In the free part of the bottom panel, left of the count; placed with each new count.
    m_downloaded = makeLabel(central, QStringLiteral("lblDownloaded"), QString(),
        twipsRect(240, 8280, 9000, 375), verdana(8.25));
    m_downloaded->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_downloaded->setPalette(withForeground(m_downloaded->palette(), QColor(96, 96, 96)));

    // The message panel over the result area, hidden until a reply is a message.
    Picture3 = new QFrame(central);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(twipsRect(-120, 3960, 11415, 3255));
    Picture3->setFrameShape(QFrame::Box);
    Picture3->setPalette(withBackground(Picture3->palette(), Qt::white));
    Picture3->setAutoFillBackground(true);
    Picture5 = new QLabel(Picture3);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    Picture5->setGeometry(twipsRect(120, 120, 5415, 1455));
    Picture5->setPixmap(bannerPixmap(Picture5->size()));
    lblMsg = makeLabel(
        Picture3, QStringLiteral("lblMsg"), QString(), twipsRect(120, 2280, 11175, 855), bold);
    lblMsg->setWordWrap(true);
    Picture3->hide();
    Picture3->raise();

    // The menu.
    mnufile = menuBar()->addMenu(QStringLiteral("Options"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnusubmit = mnufile->addAction(QStringLiteral("&Submit a Hotspot"));
    mnusubmit->setObjectName(QStringLiteral("mnusubmit"));
    mnufile->addSeparator()->setObjectName(QStringLiteral("mnuexportSeparator"));
    mnuexport = mnufile->addAction(QStringLiteral("Export results\u2026"));
    mnuexport->setObjectName(QStringLiteral("mnuexport"));
    mnuexport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnufile->addSeparator()->setObjectName(QStringLiteral("gghj"));
    mnuabout = mnufile->addAction(QStringLiteral("&About"));
    mnuabout->setObjectName(QStringLiteral("mnuabout"));
    mnuabout->setShortcut(QKeySequence(Qt::Key_F1));
    mnufile->addSeparator()->setObjectName(QStringLiteral("fggfh"));
    mnuexit = mnufile->addAction(QStringLiteral("&Exit"));
    mnuexit->setObjectName(QStringLiteral("mnuexit"));

    connect(mnusubmit, &QAction::triggered, this, &frmMain::mnusubmit_Click);
    connect(mnuabout, &QAction::triggered, this, &frmMain::mnuabout_Click);
    connect(mnuexit, &QAction::triggered, this, &frmMain::mnuexit_Click);
    connect(mnuexport, &QAction::triggered, this, &frmMain::mnuexport_Click);
    for (QLabel *label : Label1) {
        connect(
            static_cast<ClickLabel *>(label), &ClickLabel::clicked, this, &frmMain::Label1_Click);
    }
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);

    // The search controls come first in the tab order; the button has the focus at start.
    setTabOrder(Command1, tCountry);
    setTabOrder(tCountry, tLocation);
    setTabOrder(tLocation, tHotspot);
    setTabOrder(tHotspot, tZip);
    setTabOrder(tZip, tCity);
    setTabOrder(tCity, txtFilter);
    QWidget *previous = txtFilter;
    for (ColumnHeading *heading : lblTitle) {
        setTabOrder(previous, heading);
        previous = heading;
    }
    setTabOrder(previous, Picture1);

    // Screen readers name each field by the caption beside it.
    const std::array<std::pair<QLabel *, QWidget *>, 5> captioned { {
        { Label2[0], tCountry },
        { Label3, tCity },
        { Label2[1], tZip },
        { Label2[2], tLocation },
        { Label2[3], tHotspot },
    } };
    for (const auto &[caption, field] : captioned) {
        caption->setBuddy(field);
        field->setAccessibleName(caption->text());
    }
    Picture4->setAccessibleName(QStringLiteral("Pellomar"));
    Picture5->setAccessibleName(QStringLiteral("Pellomar"));
    Picture3->setAccessibleName(QStringLiteral("Message"));

    // Enter anywhere in the search form searches.
    for (QWidget *field :
        std::initializer_list<QWidget *> { Command1, tCountry, tLocation, tHotspot, tZip, tCity,
            tCountry->lineEdit(), tLocation->lineEdit(), tHotspot->lineEdit() })
        field->installEventFilter(this);
    Command1->setFocus();

    tmrLoadPreviousResults.setObjectName(QStringLiteral("tmrLoadPreviousResults"));
    tmrLoadPreviousResults.setSingleShot(true);
    tmrLoadPreviousResults.setInterval(200);
    connect(
        &tmrLoadPreviousResults, &QTimer::timeout, this, &frmMain::tmrLoadPreviousResults_Timer);

    // The menu bar sits above the client area, which keeps its designed size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *frmMain::createResultFrame(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("Picture1"));
    frame->setGeometry(twipsRect(240, 3120, 11415, 4335));
    frame->setFrameShape(QFrame::Box);
    frame->setPalette(withBackground(frame->palette(), QColor(224, 224, 224)));
    frame->setAutoFillBackground(true);
    return frame;
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen *where = screen()) {
        QRect place(QPoint(), frameGeometry().size());
        place.moveCenter(where->availableGeometry().center());
        move(place.topLeft());
    }
    Command1->setFocus();
    // The previous run's results come back once the window is on screen.
    tmrLoadPreviousResults.start();
}

void frmMain::SetStatus(const QString &text)
{
    lblStatus->setText(text);
}

void frmMain::LoadCountries()
{
    tCountry->clear();
    for (const ReferenceRow &row : m_countries.rows())
        tCountry->addItem(displayText(row.name));
    showText(tCountry, QStringLiteral("United States of America"));
}

void frmMain::LoadLocationType()
{
    tLocation->clear();
    tLocation->addItem(QStringLiteral("All"));
    for (const ReferenceRow &row : m_locationTypes.rows())
        tLocation->addItem(displayText(row.name));
    showText(tLocation, QStringLiteral("All"));
}

void frmMain::LoadHotspot()
{
    tHotspot->clear();
    tHotspot->addItems({ QStringLiteral("All"), QStringLiteral("free"),
        QStringLiteral("free (with registration)"), QStringLiteral("commercial") });
    showText(tHotspot, QStringLiteral("All"));
}

std::string frmMain::GetCountryCode(std::string_view name)
{
    if (auto code = m_countries.codeForName(name))
        return *std::move(code);
    MessageBox::show(this, QMessageBox::Critical, QStringLiteral("Error"),
        QStringLiteral("Invalid Country. Please reselect from the list options."));
    return {};
}

std::string frmMain::GetLocationTypeCode(std::string_view name)
{
    if (auto code = m_locationTypes.codeForName(name))
        return *std::move(code);
    MessageBox::show(this, QMessageBox::Critical, QStringLiteral("Error"),
        QStringLiteral("Invalid Location Type. Please reselect from the list options."));
    return {};
}

std::string frmMain::GetCountryName(std::string_view code) const
{
    return m_countries.nameForCode(code).value_or(std::string());
}

void frmMain::Command1_Click()
{
    const SearchFields fields { toBytes(tCountry->currentText()), toBytes(tCity->text()),
        toBytes(tZip->text()), toBytes(tLocation->currentText()),
        toBytes(tHotspot->currentText()) };
    const SearchRequest request = BuildRequestPath(
        fields, [this](std::string_view name) { return GetCountryCode(name); },
        [this](std::string_view name) { return GetLocationTypeCode(name); });
    // Percent-encoding leaves only ASCII in the path.
    RequestPath = QString::fromLatin1(request.path.data(), qsizetype(request.path.size()));
    switch (request.stop) {
    case SearchStop::None:
        ConnectNow();
        break;
    case SearchStop::NoCountry:
        MessageBox::show(this, QMessageBox::Critical, QStringLiteral("Error"),
            QStringLiteral("You have not selected a valid country!\r\n\r\n"
                           "Please make a select from the country list."));
        break;
    case SearchStop::UnknownCountry:
    case SearchStop::UnknownLocationType:
        break; // the lookup has told the user
    }
}

void frmMain::ConnectNow()
{
    searchExchange().start(m_context.server, m_context.resultFilePath(), RequestPath.toStdString());
    Picture3->hide();
}

std::string frmMain::GetTypeCode(std::string_view s)
{
    return pellomar::GetTypeCode(s);
}

SearchExchange &frmMain::searchExchange()
{
    if (!m_search) {
        m_search = new SearchExchange(this);
        connect(m_search, &SearchExchange::statusChanged, this, &frmMain::SetStatus);
        connect(m_search, &SearchExchange::failed, this, &frmMain::SetStatus);
        connect(m_search, &SearchExchange::replyReady, this, &frmMain::showSearchReply);
        connect(m_search, &SearchExchange::notStored, this, &frmMain::searchNotStored);
    }
    return *m_search;
}

void frmMain::showSearchReply(bool isMessage, const QString &message)
{
    // Shown while the result file is written (see searchNotStored); the file's own time is
    // not known before then.
    loadResults(searchExchange().storedText(), LimitMessage::Show, QDateTime::currentDateTime());
    if (!isMessage) {
        Picture3->hide();
        // The rows are what the user came for: arrows and Enter work on them at once.
        Picture1->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Over the result list, clear of the search form, so a new search stays possible.
    Picture3->move(twips(240), twips(2760));
    lblMsg->setText(message);
    Picture3->show();
    Picture3->raise();
}

// The rows of a reply that could not be stored give way to what the result file still holds,
// the previous results, and the reason stays on the status line; the limit's message is not
// shown again for them.
void frmMain::searchNotStored(const QString &reason)
{
    m_storeFailure = reason;
    Picture3->hide();
    loadResults({}, LimitMessage::Quiet);
}

void frmMain::LoadResults()
{
    loadResults({});
}

void frmMain::loadResults(
    std::string_view storedText, LimitMessage message, const QDateTime &received)
{
    // Switching the button off (see limitMessageShowing) moves the keyboard focus on; it comes
    // back when the load is done, so the start-up reload does not take it from where the window
    // opened.
    const bool buttonHadFocus = Command1->hasFocus();
    const LoadSummary loaded = storedText.empty()
        ? Picture1->loader()->loadFile(m_context.resultFilePath(), message)
        : Picture1->loader()->loadFile(m_context.resultFilePath(), storedText);
    // A load asked for while the limit's message is open runs when the open one is done, and
    // that one reports the outcome.
    if (loaded.deferred)
        return;
    if (!loaded.error.isEmpty())
        SetStatus(QStringLiteral("The results could not be loaded: %1").arg(loaded.error));
    else if (!m_storeFailure.isEmpty())
        SetStatus(m_storeFailure);
    else
        SetStatus(QStringLiteral("Results Loaded!"));
    m_storeFailure.clear();
    lblResults->setText(QStringLiteral("%1 Results").arg(loaded.rows));
    // A file that could not be opened left the list as it was, and so its caption.
    if (received.isValid())
        showDownloadedCaption(pellomar::downloadedCaption(received));
    else if (loaded.error.isEmpty() || loaded.bytesRead > 0)
        showDownloadedCaption(resultFileCaption(m_context.resultFilePath()));
    Command1->setEnabled(true);
    if (buttonHadFocus && !Command1->hasFocus())
        Command1->setFocus();
}

QString frmMain::downloadedCaption() const
{
    return m_downloaded->text();
}

// Ends a small gap left of the count's text and sits on the count's baseline, so the two read
// as one line whatever the number's width.
void frmMain::showDownloadedCaption(const QString &caption)
{
    m_downloaded->setText(caption);
    const QFontMetrics count(lblResults->font());
    const QFontMetrics small(m_downloaded->font());
    const int countLeft
        = lblResults->geometry().right() - count.horizontalAdvance(lblResults->text());
    const int right = countLeft - small.averageCharWidth() * 2;
    const int top = lblResults->y() + count.ascent() - small.ascent();
    m_downloaded->setGeometry(QRect(QPoint(twips(240), top), QPoint(right, top + small.height())));
}

std::string frmMain::resultRecord(int row) const
{
    return Picture1->record(row);
}

// Every click opens a further window, without an owner, on its own copy of the record: a later
// search never changes what an open detail window shows or saves.
void frmMain::OpenInfo(int index)
{
    // The window keeps its own copy of the record and the country table never changes, so
    // the one country name it can ask for is looked up now rather than copying the table.
    std::string record = resultRecord(index);
    auto countryName
        = [name = GetCountryName(GetField(record, 11, ","))](std::string_view) { return name; };
    auto *window = new frmInfo(m_context, std::move(record), std::move(countryName));
    window->show();
}

void frmMain::tmrLoadPreviousResults_Timer()
{
    tmrLoadPreviousResults.stop();
    SetStatus(QStringLiteral("Loading Results..."));
    QCoreApplication::processEvents();
    LoadResults();
}

// The headings and the link all lead to the directory web site of the server in use.
void frmMain::Label1_Click()
{
    OpenInBrowser(m_context.server.siteUrl());
}

// There is no submission form in the program: the web site takes new hotspots.
void frmMain::mnusubmit_Click()
{
    OpenInBrowser(m_context.server.siteUrl());
}

void frmMain::mnuabout_Click()
{
    frmAbout about(m_context.server.siteUrl(), this);
    about.exec();
}

// Ends the program at once: every window closes (detail windows drop their downloads as they
// go) and every event loop ends, a modal one included.
void frmMain::mnuexit_Click()
{
    close();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void frmMain::mnuexport_Click()
{
    exportResults(this, Picture1->shownRecords());
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain
            = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
            // While a load runs the button is off, and so is Enter.
            if (Command1->isEnabled())
                Command1->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pellomar
