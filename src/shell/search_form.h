// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/search_request.h"

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pellomar {

class ReferenceTable;

// The main window's search form, placed as designed on the window's client area: the logo,
// its heading, the five fields with their captions, the button "Search hotspots!" and the
// link to the directory web site. Enter in any field presses the button.
class SearchForm : public QObject {
    Q_OBJECT

public:
    // `siteUrl`: the home address of the directory web site of the server in use.
    SearchForm(QWidget *client, const QString &siteUrl);

    // The lists, filled from the reference tables and the fixed access types.
    void LoadCountries(const ReferenceTable &countries);
    void LoadLocationType(const ReferenceTable &locationTypes);
    void LoadHotspot();

    // The five fields, as typed or chosen.
    SearchFields fields() const;
    // The directory web site the link names.
    void setSiteUrl(const QString &siteUrl);
    // Puts a search's values back into the form, as typed.
    void setFields(const SearchFields &fields);
    QPushButton *button() const { return m_searchButton; }
    // The form's last control in the tab order.
    QWidget *lastControl() const;

Q_SIGNALS:
    // The heading or the link was clicked: both lead to the directory web site.
    void siteClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_country = nullptr;
    QComboBox *m_locationType = nullptr;
    QComboBox *m_accessType = nullptr;
    QLineEdit *m_city = nullptr;
    QLineEdit *m_zip = nullptr;
    QLabel *m_siteLink = nullptr;
    int m_designedLinkWidth = 0;
    QPushButton *m_searchButton = nullptr;
};

} // namespace pellomar
