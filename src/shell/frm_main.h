#pragma once

#include "platform/app_context.h"
#include "reference/reference_table.h"
#include "results/result_list_view.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <string>
#include <string_view>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace pellomar {

class ColumnHeading;
class ResultListView;
class SearchExchange;

// Qt object name of element `index` of a control array: the array's name followed by the
// index, with "_" between when the name itself ends in a digit ("lblTitle0", "lName3",
// "Label1_2", "Label2_0"). Tests and other windows find the elements with findChild.
inline QString controlArrayName(const QString &arrayName, int index)
{
    const bool endsInDigit = !arrayName.isEmpty() && arrayName.back().isDigit();
    return arrayName + (endsInDigit ? QStringLiteral("_") : QString()) + QString::number(index);
}

// The main window: the search form, the result list, the status line and the menu.
// Every control's object name is its member's name (arrays: see controlArrayName).
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

    // Search form
    void Command1_Click();
    // Starts the search in RequestPath, dropping one that is still running.
    void ConnectNow();
    static std::string GetTypeCode(std::string_view s);
    // The exchange with the directory server; tests shorten its time-out and size limit
    // through searchExchange().connection().
    SearchExchange &searchExchange();
    // Result list
    void LoadResults();
    // `storedText`: the result file's plain text when a search has just received it (shown as
    // downloaded at `received`), else empty and the file is read.
    void loadResults(std::string_view storedText, LimitMessage message = LimitMessage::Show,
        const QDateTime &received = {});
    void OpenInfo(int index);
    // The record line of result row `row` (from 1); "" past the count.
    std::string resultRecord(int row) const;
    // When the listed results were downloaded, as shown beside the count; "" without a file.
    QString downloadedCaption() const;

    const AppContext &context() const { return m_context; }
    const ReferenceTable &countryTable() const { return m_countries; }
    const ReferenceTable &locationTypeTable() const { return m_locationTypes; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupUi();
    QWidget *createResultFrame(QWidget *parent);
    void LoadCountries();
    void LoadLocationType();
    void LoadHotspot();
    void tmrLoadPreviousResults_Timer();
    void Label1_Click();
    void mnusubmit_Click();
    void mnuabout_Click();
    void mnuexit_Click();
    void mnuexport_Click();
    void showSearchReply(bool isMessage, const QString &message);
    void searchNotStored(const QString &reason);
    void showDownloadedCaption(const QString &caption);

    AppContext m_context;
    ReferenceTable m_countries;
    ReferenceTable m_locationTypes;
    bool m_shownOnce = false;

    // Controls, named as on the designed window.
    std::array<QLabel *, 3> Label1 {};
    std::array<QLabel *, 4> Label2 {};
    QLabel *Label3 = nullptr;
    QLabel *Picture4 = nullptr; // the logo
    QComboBox *tCountry = nullptr;
    QComboBox *tLocation = nullptr;
    QComboBox *tHotspot = nullptr;
    QLineEdit *tCity = nullptr;
    QLineEdit *tZip = nullptr;
    QPushButton *Command1 = nullptr;
    std::array<ColumnHeading *, 6> lblTitle {};
    QLineEdit *txtFilter = nullptr; // narrows the result list as the user types
    ResultListView *Picture1 = nullptr; // frames the result list
    QLabel *lblStatus = nullptr;
    QLabel *lblResults = nullptr;
    QLabel *m_downloaded = nullptr; // "Downloaded ..." beside the count
    QFrame *Picture3 = nullptr; // the message panel
    QLabel *Picture5 = nullptr; // the message panel's banner
    QLabel *lblMsg = nullptr;
    QMenu *mnufile = nullptr;
    QAction *mnusubmit = nullptr;
    QAction *mnuabout = nullptr;
    QAction *mnuexit = nullptr;
    QAction *mnuexport = nullptr;
    QTimer tmrLoadPreviousResults { this };

    QString RequestPath;
    SearchExchange *m_search = nullptr;
    // Why the reply on the list could not be stored, until a load has shown it.
    QString m_storeFailure;
};

} // namespace pellomar
