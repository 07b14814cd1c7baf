// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frm_main.h"

#include "details/frm_info.h"
#include "map/map_window.h"
#include "platform/browser.h"
#include "platform/designed_controls.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "reference/text_fields.h"
#include "resultfile/result_format.h"
#include "results/hotspot_record.h"
#include "results/result_export.h"
#include "results/result_list_model.h"
#include "results/result_loader.h"
#include "search/search_exchange.h"
#include "shell/artwork.h"
#include "shell/download_caption.h"
#include "shell/frm_about.h"
#include "shell/recent_searches_dialog.h"
#include "shell/result_panel.h"
#include "shell/search_form.h"
#include "shell/server_choice.h"
#include "shell/server_dialog.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLayout>
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

// The status line, the result count and the message panel; the message panel's controls
// are placed inside it.
const DesignedControl Design[] = {
    { "lblStatus", 120, 7635, 10575, 375,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Welcome to Pellomar."), Face::Status },
    { "lblResults", 9360, 8280, 2295, 375, "", Face::ResultCount },
    // In the free part of the bottom panel, left of the count; placed with each new count.
    { "lblDownloaded", 240, 8280, 9000, 375, "", Face::Regular },
    { "Picture3", -120, 3960, 11415, 3255, "", Face::Regular },
    { "lblMsg", 120, 2280, 11175, 855, "", Face::Bold },
};

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

frmMain::frmMain(
    AppContext context, ReferenceTable countries, ReferenceTable locationTypes, QWidget *parent)
    : QMainWindow(parent)
    , m_context(std::move(context))
    , m_countries(std::move(countries))
    , m_locationTypes(std::move(locationTypes))
    , m_recent(m_context.dataDir)
{
    setObjectName(QStringLiteral("frmMain"));
    // The directory chosen in the window, unless --server names one for this run.
    if (!m_context.serverFromCommandLine) {
        if (const auto chosen = chosenServer())
            m_context.server = *chosen;
    }
    setupUi();
    m_form->LoadCountries(m_countries);
    m_form->LoadLocationType(m_locationTypes);
    m_form->LoadHotspot();
    setWindowTitle(tr("Pellomar hotspot locator (v %1)").arg(QStringLiteral(PELLOMAR_VERSION)));
}

frmMain::~frmMain() = default;

void frmMain::setupUi()
{
    // Fixed size: no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(verdana(9.75));
    client->setFixedSize(ClientSize);
    setCentralWidget(client);

    m_form = new SearchForm(client, m_context.server.siteUrl());
    connect(m_form, &SearchForm::siteClicked, this, &frmMain::Label1_Click);
    connect(m_form->button(), &QPushButton::clicked, this, &frmMain::Command1_Click);
    m_results = new ResultPanel(client, m_countries, m_form->lastControl());
    connect(m_results, &ResultPanel::siteClicked, this, &frmMain::Label1_Click);
    m_resultList = m_results->list();
    connect(m_resultList, &ResultListView::openRow, this, &frmMain::OpenInfo);
    connect(m_resultList, &ResultListView::shownRowsChanged, this, &frmMain::updateMap);
    connect(m_resultList, &ResultListView::selectionMoved, this, [this](int row) {
        if (m_map)
            m_map->frameRow(row);
    });
    connect(m_resultList, &ResultListView::rowChosen, this, [this](int row) {
        if (m_map)
            m_map->setCurrentRow(row);
    });
    // A load runs to its end without letting any event in, except while the "Max Results"
    // message waits: that is when the button must not start another search.
    connect(m_resultList->loader(), &ResultLoader::limitMessageShowing, this,
        [this] { m_form->button()->setEnabled(false); });

    const DesignedControls design(client, Design);
    m_status = design.make<QLabel>("lblStatus");
    m_resultCount = design.make<QLabel>("lblResults");
    m_resultCount->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_downloaded = design.make<QLabel>("lblDownloaded");
    m_downloaded->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setColour(m_downloaded, QPalette::WindowText, QColor(96, 96, 96));

    // The message panel over the result area, hidden until a reply is a message.
    m_messagePanel = design.make<QFrame>("Picture3");
    m_messagePanel->setFrameShape(QFrame::Box);
    setColour(m_messagePanel, QPalette::Window, Qt::white);
    m_messagePanel->setAutoFillBackground(true);
    m_messagePanel->setAccessibleName(tr("Message"));
    auto *banner = new QLabel(m_messagePanel);
    banner->setObjectName(QStringLiteral("Picture5"));
    banner->setGeometry(twipsRect(120, 120, 5415, 1455));
    banner->setPixmap(bannerPixmap(banner->size()));
    banner->setAccessibleName(QStringLiteral("Pellomar"));
    m_message = DesignedControls(m_messagePanel, Design).make<QLabel>("lblMsg");
    m_message->setWordWrap(true);
    m_messagePanel->hide();
    m_messagePanel->raise();

    auto *mnufile = menuBar()->addMenu(tr("Options"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    const auto item = [this, mnufile](const char *name, const QString &text, auto handler) {
        QAction *action = mnufile->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // There is no submission form in the program: the web site takes new hotspots.
    item("mnusubmit", tr("&Submit a Hotspot"), &frmMain::Label1_Click);
    mnufile->addSeparator()->setObjectName(QStringLiteral("mnuexportSeparator"));
    item("mnuexport", tr("Export results\u2026"), [this] {
        exportResults(this, m_resultList->shownRecords());
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    item("mnumap", tr("Show &map"), &frmMain::showMap)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    item("mnurecent", tr("&Recent searches\u2026"), &frmMain::showRecentSearches)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    item("mnuserver", tr("&Directory server\u2026"), &frmMain::chooseServer);
    mnufile->addSeparator()->setObjectName(QStringLiteral("gghj"));
    item("mnuabout", tr("&About"), &frmMain::mnuabout_Click)->setShortcut(QKeySequence(Qt::Key_F1));
    mnufile->addSeparator()->setObjectName(QStringLiteral("fggfh"));
    item("mnuexit", tr("&Exit"), &frmMain::mnuexit_Click);

    tmrLoadPreviousResults.setObjectName(QStringLiteral("tmrLoadPreviousResults"));
    tmrLoadPreviousResults.setSingleShot(true);
    tmrLoadPreviousResults.setInterval(200);
    connect(
        &tmrLoadPreviousResults, &QTimer::timeout, this, &frmMain::tmrLoadPreviousResults_Timer);

    // The menu bar sits above the client area, which keeps its designed size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
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
    m_form->button()->setFocus();
    // The previous run's results come back once the window is on screen.
    tmrLoadPreviousResults.start();
}

void frmMain::SetStatus(const QString &text)
{
    m_status->setText(text);
}

// A name missing from its table is no search: the user is told to pick one from the list.
std::string frmMain::GetCountryCode(std::string_view name)
{
    return codeOrMessage(m_countries.codeForName(name), tr("Country"));
}

std::string frmMain::GetLocationTypeCode(std::string_view name)
{
    return codeOrMessage(m_locationTypes.codeForName(name), tr("Location Type"));
}

std::string frmMain::codeOrMessage(std::optional<std::string> code, const QString &field)
{
    if (!code) {
        MessageBox::show(this, QMessageBox::Critical, tr("Error"),
            tr("Invalid %1. Please reselect from the list options.").arg(field));
    }
    return code.value_or(std::string());
}

std::string frmMain::GetCountryName(std::string_view code) const
{
    return m_countries.nameForCode(code).value_or(std::string());
}

void frmMain::Command1_Click()
{
    m_searchFields = m_form->fields();
    const SearchRequest request = buildRequestPath(
        m_searchFields, [this](std::string_view name) { return GetCountryCode(name); },
        [this](std::string_view name) { return GetLocationTypeCode(name); });
    // Percent-encoding leaves only ASCII in the path.
    RequestPath = QString::fromLatin1(request.path.data(), qsizetype(request.path.size()));
    switch (request.stop) {
    case SearchStop::None:
        ConnectNow();
        break;
    case SearchStop::NoCountry:
        MessageBox::show(this, QMessageBox::Critical, tr("Error"),
            tr("You have not selected a valid country!\r\n\r\n"
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
    m_messagePanel->hide();
}

SearchExchange &frmMain::searchExchange()
{
    if (!m_search) {
        m_search = new SearchExchange(this);
        connect(m_search, &SearchExchange::statusChanged, this, &frmMain::SetStatus);
        connect(m_search, &SearchExchange::failed, this, &frmMain::searchFailed);
        connect(m_search, &SearchExchange::replyReady, this, &frmMain::showSearchReply);
        connect(m_search, &SearchExchange::notStored, this, &frmMain::searchNotStored);
        connect(m_search, &SearchExchange::stored, this, &frmMain::keepStoredSearch);
    }
    return *m_search;
}

void frmMain::showSearchReply(bool isMessage, const QString &message)
{
    if (!m_beforeReply) {
        const ResultListModel &shown = *m_resultList->model();
        ShownList before { {}, m_resultCount->text(), m_downloaded->text() };
        for (int row = 1; row <= shown.count(); ++row)
            before.records.push_back(shown.record(row));
        m_beforeReply = std::move(before);
    }
    // Shown while the result file is written (see searchNotStored); the file's own time is
    // not known before then.
    m_replyReceived = QDateTime::currentDateTime();
    showResults(searchExchange().replyText(), LimitMessage::Show, m_replyReceived);
    if (!isMessage) {
        m_messagePanel->hide();
        // The rows are what the user came for: arrows and Enter work on them at once.
        m_resultList->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Over the result list, clear of the search form, so a new search stays possible.
    m_messagePanel->move(twips(240), twips(2760));
    m_message->setText(message);
    m_messagePanel->show();
    m_messagePanel->raise();
}

// The rows of a reply that could not be stored give way to what the result file still holds,
// the previous results, and the reason stays on the status line; the limit's message is not
// shown again for them.
void frmMain::searchNotStored(const QString &reason)
{
    m_storeFailure = reason;
    m_messagePanel->hide();
    const LoadSummary loaded = showResults({}, LimitMessage::Quiet);
    // The result file cannot be read (a folder in its place): the rows that were not stored
    // must not stay as if they were.
    if (!loaded.deferred && !loaded.error.isEmpty() && loaded.bytesRead == 0 && m_beforeReply) {
        m_resultList->model()->setRecords(std::move(m_beforeReply->records));
        m_resultCount->setText(m_beforeReply->count);
        showDownloadedCaption(m_beforeReply->caption);
        SetStatus(reason);
    }
    m_beforeReply.reset();
}

// A search that listed hotspots is kept for the road. Failing to keep it costs nothing else:
// the reply is stored and on the list.
void frmMain::keepStoredSearch(bool isMessage)
{
    m_beforeReply.reset();
    if (isMessage)
        return;
    KeptSearch search { m_searchFields, m_replyReceived.toMSecsSinceEpoch(),
        readResultRecords(searchExchange().replyText()).lines };
    if (search.records.empty())
        return;
    if (const QString error = m_recent.keep(search); !error.isEmpty())
        SetStatus(tr("%1 This search could not be kept among the recent searches "
                     "(%2); nothing else is lost.")
                      .arg(m_status->text(), error));
}

void frmMain::chooseServer()
{
    auto *dialog = new ServerDialog(m_context.server, m_context.serverFromCommandLine, this);
    connect(dialog, &ServerDialog::chosen, this, [this](const ServerAddress &server) {
        if (m_context.serverFromCommandLine)
            return;
        m_context.server = server;
        m_form->setSiteUrl(server.siteUrl());
        SetStatus(tr("Searches go to %1 now.").arg(server.hostHeader()));
    });
    dialog->open();
}

// A directory that cannot be reached is most often the wrong one (a first start on the
// compiled-in one, a mistyped host): the way to another is offered at once.
void frmMain::searchFailed(const QString &reason)
{
    SetStatus(reason);
    if (searchExchange().connection().reachedServer())
        return;
    if (MessageBox::show(this, QMessageBox::Warning, tr("Search hotspots"),
            tr("%1.\r\n\r\nChoose another directory server?").arg(reason),
            QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        chooseServer();
}

void frmMain::showRecentSearches()
{
    auto *dialog = new RecentSearchesDialog(m_recent, this);
    connect(dialog, &RecentSearchesDialog::opened, this, &frmMain::showKeptSearch);
    dialog->open();
}

void frmMain::showKeptSearch(const KeptSearch &search)
{
    m_messagePanel->hide();
    m_form->setFields(search.fields);
    const std::string text = keptResultText(search);
    showResults(text, LimitMessage::Quiet, QDateTime::fromMSecsSinceEpoch(search.receivedMs));
}

void frmMain::LoadResults()
{
    showResults({});
}

LoadSummary frmMain::showResults(
    std::string_view storedText, LimitMessage message, const QDateTime &received)
{
    // Switching the button off (see limitMessageShowing) moves the keyboard focus on; it comes
    // back when the load is done, so the start-up reload does not take it from where the window
    // opened.
    QPushButton *Command1 = m_form->button();
    const bool buttonHadFocus = Command1->hasFocus();
    const LoadSummary loaded = storedText.empty()
        ? m_resultList->loader()->loadFile(m_context.resultFilePath(), message)
        : m_resultList->loader()->loadFile(m_context.resultFilePath(), storedText, message);
    // A load asked for while the limit's message is open runs when the open one is done, and
    // that one reports the outcome.
    if (loaded.deferred)
        return loaded;
    if (!loaded.error.isEmpty())
        SetStatus(tr("The results could not be loaded: %1").arg(loaded.error));
    else if (!m_storeFailure.isEmpty())
        SetStatus(m_storeFailure);
    else
        SetStatus(tr("Results Loaded!"));
    m_storeFailure.clear();
    m_resultCount->setText(tr("%n Results", nullptr, loaded.rows));
    // A file that could not be opened left the list as it was, and so its caption.
    if (received.isValid())
        showDownloadedCaption(pellomar::downloadedCaption(received));
    else if (loaded.error.isEmpty() || loaded.bytesRead > 0)
        showDownloadedCaption(resultFileCaption(m_context.resultFilePath()));
    Command1->setEnabled(true);
    if (buttonHadFocus && !Command1->hasFocus())
        Command1->setFocus();
    return loaded;
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
    const QFontMetrics count(m_resultCount->font());
    const QFontMetrics small(m_downloaded->font());
    const int countLeft
        = m_resultCount->geometry().right() - count.horizontalAdvance(m_resultCount->text());
    const int right = countLeft - small.averageCharWidth() * 2;
    const int top = m_resultCount->y() + count.ascent() - small.ascent();
    m_downloaded->setGeometry(QRect(QPoint(twips(240), top), QPoint(right, top + small.height())));
}

std::string frmMain::resultRecord(int row) const
{
    return m_resultList->record(row);
}

// Every click opens a further window, without an owner, on the values of the record: a later
// search never changes what an open detail window shows or saves.
void frmMain::OpenInfo(int index)
{
    const std::string record = resultRecord(index);
    auto *window = new frmInfo(
        m_context, record, [this](std::string_view code) { return GetCountryName(code); });
    window->show();
}

void frmMain::showMap()
{
    if (!m_map) {
        m_map = new MapWindow(m_context.tileServer.isEmpty()
                ? TileSource::fromSettings()
                : TileSource::forTemplate(m_context.tileServer),
            this);
        connect(m_map, &MapWindow::hotspotActivated, this, &frmMain::OpenInfo);
        connect(m_map, &MapWindow::currentRowChanged, m_resultList, &ResultListView::showRow);
    }
    m_map->show();
    updateMap();
    m_map->raise();
    m_map->activateWindow();
}

void frmMain::updateMap()
{
    if (!m_map || !m_map->isVisible())
        return;
    QList<MapHotspot> hotspots;
    for (const int row : m_resultList->shownRows()) {
        const HotspotRecord record(resultRecord(row));
        hotspots.append({ row, m_resultList->model()->caption(row, ResultLayout::Column::Name),
            record.field(HotspotField::Latitude), record.field(HotspotField::Longitude),
            ResultListView::rowColour(row) });
    }
    m_map->setHotspots(hotspots);
    m_map->setCurrentRow(m_resultList->SelectedRow());
}

void frmMain::tmrLoadPreviousResults_Timer()
{
    tmrLoadPreviousResults.stop();
    SetStatus(tr("Loading Results..."));
    // On screen before the load, which lets no event in while it runs.
    m_status->repaint();
    LoadResults();
}

// The headings, the link and "Submit a Hotspot" all lead to the directory web site of the
// server in use.
void frmMain::Label1_Click()
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

} // namespace pellomar
