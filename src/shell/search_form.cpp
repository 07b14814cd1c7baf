// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/search_form.h"

#include "platform/click_label.h"
#include "platform/designed_controls.h"
#include "platform/display_text.h"
#include "platform/tool_tip.h"
#include "reference/reference_table.h"
#include "shell/artwork.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace pellomar {

namespace {

const DesignedControl Design[] = {
    { "Label1_0", 4440, 180, 2775, 255,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Search wireless hotspots :"), Face::Bold },
    { "Label2_0", 4440, 600, 1095, 255, QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Country"),
        Face::Regular },
    { "tCountry", 5400, 600, 2775, 315, "", Face::Regular },
    { "Label3", 8400, 600, 735, 255, QT_TRANSLATE_NOOP("pellomar::DesignedControls", "City"),
        Face::Regular },
    { "tCity", 8880, 600, 2655, 285, "", Face::Regular },
    { "Label2_1", 8400, 960, 975, 255, QT_TRANSLATE_NOOP("pellomar::DesignedControls", "ZIP Code"),
        Face::Regular },
    { "tZip", 9480, 960, 2055, 270, "", Face::Regular },
    { "Label2_2", 4440, 1080, 1335, 255,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Location Type"), Face::Regular },
    { "tLocation", 5760, 1080, 2415, 315, "", Face::Regular },
    { "Label2_3", 4440, 1560, 1575, 255,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Hotspot Type"), Face::Regular },
    { "tHotspot", 5760, 1560, 2655, 315, "", Face::Regular },
    { "Command1", 8640, 1560, 2895, 495,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Search hotspots!"), Face::Bold },
    { "Label1_2", 360, 1920, 3255, 255, "", Face::Link },
};

// Editable, unsorted, and never changing what the user types: no completion, and typed text
// is not added to the list (a name is checked only when a search starts).
QComboBox *editable(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(16);
    return combo;
}

// Fills an editable combo box and shows `text` in it, selecting the item of that text when
// there is one.
void fill(QComboBox *combo, const QStringList &items, const QString &text)
{
    combo->clear();
    combo->addItems(items);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

SearchForm::SearchForm(QWidget *client, const QString &siteUrl)
    : QObject(client)
{
    auto *logo = new QLabel(client);
    logo->setObjectName(QStringLiteral("Picture4"));
    logo->setGeometry(twipsRect(240, 600, 2655, 1335));
    logo->setPixmap(logoPixmap());
    logo->setAccessibleName(QStringLiteral("Pellomar"));

    const DesignedControls design(client, Design);
    auto *heading = design.make<ClickLabel>("Label1_0");
    setTextColour(heading, QColor(64, 64, 64));
    auto *Label2_0 = design.make<QLabel>("Label2_0");
    m_country = editable(design.make<QComboBox>("tCountry"));
    auto *Label3 = design.make<QLabel>("Label3");
    m_city = design.make<QLineEdit>("tCity");
    auto *Label2_1 = design.make<QLabel>("Label2_1");
    m_zip = design.make<QLineEdit>("tZip");
    auto *Label2_2 = design.make<QLabel>("Label2_2");
    m_locationType = editable(design.make<QComboBox>("tLocation"));
    auto *Label2_3 = design.make<QLabel>("Label2_3");
    m_accessType = editable(design.make<QComboBox>("tHotspot"));
    m_searchButton = design.make<QPushButton>("Command1");

    // The link to the directory web site follows the server in use; a longer address than the
    // designed one widens the label into the free space beside it instead of being cut off.
    auto *link = design.make<ClickLabel>("Label1_2");
    m_siteLink = link;
    m_designedLinkWidth = link->width();
    setTextColour(link, QColor(0, 0, 192));
    link->setCursor(Qt::PointingHandCursor);
    setSiteUrl(siteUrl);
    for (ClickLabel *label : { heading, link })
        connect(label, &ClickLabel::clicked, this, &SearchForm::siteClicked);

    // The search controls come first in the tab order; the button has the focus at start.
    const std::array<QWidget *, 6> order { m_searchButton, m_country, m_locationType, m_accessType,
        m_zip, m_city };
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // Screen readers name each field by the caption beside it.
    for (const auto &[caption, field] :
        { std::pair<QLabel *, QWidget *> { Label2_0, m_country }, { Label3, m_city },
            { Label2_1, m_zip }, { Label2_2, m_locationType }, { Label2_3, m_accessType } }) {
        caption->setBuddy(field);
        field->setAccessibleName(caption->text());
    }
    // Enter anywhere in the form searches.
    for (QWidget *field : order)
        field->installEventFilter(this);
    for (QComboBox *list : { m_country, m_locationType, m_accessType })
        list->lineEdit()->installEventFilter(this);
    m_searchButton->setFocus();
}

void SearchForm::LoadCountries(const ReferenceTable &countries)
{
    QStringList names;
    for (const ReferenceRow &row : countries.rows())
        names << displayText(row.name);
    fill(m_country, names, QStringLiteral("United States of America"));
}

void SearchForm::LoadLocationType(const ReferenceTable &locationTypes)
{
    QStringList names { QStringLiteral("All") };
    for (const ReferenceRow &row : locationTypes.rows())
        names << displayText(row.name);
    fill(m_locationType, names, QStringLiteral("All"));
}

void SearchForm::LoadHotspot()
{
    fill(m_accessType,
        { QStringLiteral("All"), QStringLiteral("free"), QStringLiteral("free (with registration)"),
            QStringLiteral("commercial") },
        QStringLiteral("All"));
}

SearchFields SearchForm::fields() const
{
    return { toBytes(m_country->currentText()), toBytes(m_city->text()), toBytes(m_zip->text()),
        toBytes(m_locationType->currentText()), toBytes(m_accessType->currentText()) };
}

void SearchForm::setSiteUrl(const QString &siteUrl)
{
    m_siteLink->setText(siteUrl);
    m_siteLink->setToolTip(plainToolTip(siteUrl));
    const int roomBesideLink = twips(8520) - m_siteLink->x();
    m_siteLink->resize(qBound(m_designedLinkWidth, m_siteLink->sizeHint().width(), roomBesideLink),
        m_siteLink->height());
}

void SearchForm::setFields(const SearchFields &fields)
{
    m_country->setCurrentText(displayText(fields.country));
    m_city->setText(displayText(fields.city));
    m_zip->setText(displayText(fields.zip));
    m_locationType->setCurrentText(displayText(fields.locationType));
    m_accessType->setCurrentText(displayText(fields.accessType));
}

QWidget *SearchForm::lastControl() const
{
    return m_city;
}

bool SearchForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain
            = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
            // While a load runs the button is off, and so is Enter.
            if (m_searchButton->isEnabled())
                m_searchButton->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace pellomar
