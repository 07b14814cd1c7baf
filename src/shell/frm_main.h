// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"
#include "reference/reference_table.h"
#include "results/result_list_view.h"
#include "results/result_loader.h"
#include "search/kept_search.h"
#include "search/recent_searches.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QFrame;
class QLabel;

namespace pellomar {

class MapWindow;
class ResultPanel;
class SearchExchange;
class SearchForm;

// The main window: the search form, the result panel, the status line with the result count,
// the message panel and the menu. Every control's object name is its designed name.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(AppContext context, ReferenceTable countries, ReferenceTable locationTypes,
        QWidget *parent = nullptr);
    ~frmMain() override;

    // The status line; its only writer after start-up.
    void SetStatus(const QString &text);

    // Lookups in the reference tables; names and codes are byte strings as the rules hold them.
    // A name missing from its table is reported in a message box and gives "".
    std::string GetCountryCode(std::string_view name);
    std::string GetLocationTypeCode(std::string_view name);
    // The country's name in capitals; "" without a message when the code is unknown.
    std::string GetCountryName(std::string_view code) const;

    void Command1_Click();
    // Starts the search in RequestPath, dropping one that is still running.
    void ConnectNow();
    // The exchange with the directory server; tests shorten its time-out and size limit
    // through searchExchange().connection().
    SearchExchange &searchExchange();
    // Loads the result file into the list, as at start-up.
    void LoadResults();
    void OpenInfo(int index);
    // "Directory server": the dialog that chooses the directory searched.
    void chooseServer();
    // "Recent searches": the kept searches, one of which the list can show without the network.
    void showRecentSearches();
    // Shows a kept search's rows and time in the list, as a search would, without the network.
    void showKeptSearch(const KeptSearch &search);
    const RecentSearches &recentSearches() const { return m_recent; }
    // "Show map": the one map window, made at the first use and brought to the front after.
    void showMap();
    // The map window once it has been shown; null before.
    MapWindow *mapWindow() const { return m_map; }
    // The record line of result row `row` (from 1); "" past the count.
    std::string resultRecord(int row) const;
    // When the listed results were downloaded, as shown beside the count; "" without a file.
    QString downloadedCaption() const;

    const AppContext &context() const { return m_context; }
    const ReferenceTable &countryTable() const { return m_countries; }
    const ReferenceTable &locationTypeTable() const { return m_locationTypes; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setupUi();
    std::string codeOrMessage(std::optional<std::string> code, const QString &field);
    void tmrLoadPreviousResults_Timer();
    void Label1_Click();
    void mnuabout_Click();
    void mnuexit_Click();
    void showSearchReply(bool isMessage, const QString &message);
    void searchNotStored(const QString &reason);
    void keepStoredSearch(bool isMessage);
    void searchFailed(const QString &reason);
    // Shows the rows of the result text a search has just received (at `received`); with no
    // text, reads the result file.
    LoadSummary showResults(std::string_view storedText, LimitMessage message = LimitMessage::Show,
        const QDateTime &received = {});
    void showDownloadedCaption(const QString &caption);
    // Puts the rows shown in the list on the map, with the framed one highlighted.
    void updateMap();

    AppContext m_context;
    ReferenceTable m_countries;
    ReferenceTable m_locationTypes;
    bool m_shownOnce = false;

    SearchForm *m_form = nullptr;
    ResultPanel *m_results = nullptr;
    ResultListView *m_resultList = nullptr; // the result list, in its frame
    QLabel *m_status = nullptr;
    QLabel *m_resultCount = nullptr;
    QLabel *m_downloaded = nullptr; // "Downloaded ..." beside the count
    QFrame *m_messagePanel = nullptr; // the message panel
    QLabel *m_message = nullptr;
    QTimer tmrLoadPreviousResults { this };
    MapWindow *m_map = nullptr;

    QString RequestPath;
    SearchExchange *m_search = nullptr;
    // Why the reply on the list could not be stored, until a load has shown it.
    QString m_storeFailure;
    // The list as it was before a reply's rows took its place, until that reply is stored: when
    // the store fails and the result file cannot be read either, the list goes back to it.
    struct ShownList {
        std::vector<std::string> records;
        QString count;
        QString caption;
    };
    std::optional<ShownList> m_beforeReply;
    // What the form held when the running search started, and when its reply came: what a
    // search is kept with.
    SearchFields m_searchFields;
    QDateTime m_replyReceived;
    RecentSearches m_recent;
};

} // namespace pellomar
