#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace pellomar {

class ClickLabel;

// The About window, shown modally from the main window's menu and made afresh each time.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // `siteUrl`: the home address of the directory web site of the server in use.
    explicit frmAbout(QString siteUrl, QWidget *parent = nullptr);
    ~frmAbout() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setupUi();
    void Command1_Click();
    void Label1_Click();

    QString m_siteUrl;

    // Controls, named as on the designed window.
    QLabel *Picture1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label5 = nullptr;
    ClickLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
};

} // namespace pellomar
