#include "frm_main.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pellomar {

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
    // TODO(shell): the designed layout.
}

void frmMain::SetStatus(const QString &text)
{
    if (lblStatus)
        lblStatus->setText(text);
}

void frmMain::LoadCountries()
{
}
void frmMain::LoadLocationType()
{
}
void frmMain::LoadHotspot()
{
}
void frmMain::Command1_Click()
{
}
void frmMain::LoadResults()
{
}
void frmMain::OpenInfo(int)
{
}
void frmMain::tmrLoadPreviousResults_Timer()
{
}
void frmMain::Label1_Click()
{
}
void frmMain::mnusubmit_Click()
{
}
void frmMain::mnuabout_Click()
{
}
void frmMain::mnuexit_Click()
{
}

} // namespace pellomar
