#pragma once

#include "app_context.h"
#include "reference_table.h"

#include <QMainWindow>
#include <QTimer>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QAction;

namespace pellomar {

// The main window: the search form, the result list, the status line and the menu.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(AppContext context, ReferenceTable countries, ReferenceTable locationTypes,
        QWidget *parent = nullptr);
    ~frmMain() override;

    // The status line; its only writer after start-up.
    void SetStatus(const QString &text);

    // Search form
    void Command1_Click();
    // Result list
    void LoadResults();
    void OpenInfo(int index);

    const AppContext &context() const { return m_context; }
    const ReferenceTable &countryTable() const { return m_countries; }
    const ReferenceTable &locationTypeTable() const { return m_locationTypes; }

private:
    void setupUi();
    void LoadCountries();
    void LoadLocationType();
    void LoadHotspot();
    void tmrLoadPreviousResults_Timer();
    void Label1_Click();
    void mnusubmit_Click();
    void mnuabout_Click();
    void mnuexit_Click();

    AppContext m_context;
    ReferenceTable m_countries;
    ReferenceTable m_locationTypes;

    // Controls, named as on the designed window.
    std::array<QLabel *, 3> Label1 {};
    std::array<QLabel *, 4> Label2 {};
    QLabel *Label3 = nullptr;
    QComboBox *tCountry = nullptr;
    QComboBox *tLocation = nullptr;
    QComboBox *tHotspot = nullptr;
    QLineEdit *tCity = nullptr;
    QLineEdit *tZip = nullptr;
    QPushButton *Command1 = nullptr;
    std::array<QLabel *, 6> lblTitle {};
    QWidget *Picture1 = nullptr; // frames the result list
    QLabel *lblStatus = nullptr;
    QLabel *lblResults = nullptr;
    QFrame *Picture3 = nullptr; // the message panel
    QLabel *lblMsg = nullptr;
    QTimer tmrLoadPreviousResults;

    QString RequestPath;
};

} // namespace pellomar
