// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/result_panel.h"

#include "platform/click_label.h"
#include "platform/designed_controls.h"
#include "results/column_heading.h"
#include "results/result_layout.h"
#include "results/result_list_view.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace pellomar {

namespace {

const DesignedControl Design[] = {
    { "Label1_1", 240, 2340, 4095, 255,
        QT_TRANSLATE_NOOP("pellomar::DesignedControls", "Wireless hotspots matching your query:"),
        Face::Bold },
    // In the header band, right of the heading.
    { "txtFilter", 8640, 2310, 2895, 315, "", Face::Regular },
};

} // namespace

ResultPanel::ResultPanel(QWidget *client, const ReferenceTable &countries, QWidget *previous)
    : QObject(client)
{
    const DesignedControls design(client, Design);
    auto *heading = design.make<ClickLabel>("Label1_1");
    connect(heading, &ClickLabel::clicked, this, &ResultPanel::siteClicked);
    const std::array<int, 6> headingLeft { 720, 3120, 4920, 6600, 8280, 9480 };
    std::array<ColumnHeading *, 6> lblTitle {};
    for (std::size_t i = 0; i < lblTitle.size(); ++i) {
        lblTitle[i]
            = new ColumnHeading(QCoreApplication::translate("pellomar::ResultLayout",
                                    ResultLayout::ColumnNames[ResultLayout::FirstTextColumn + i]),
                client);
        lblTitle[i]->setObjectName(QStringLiteral("lblTitle%1").arg(i));
        lblTitle[i]->setGeometry(twipsRect(headingLeft[i], 2760, 1575, 255));
        lblTitle[i]->setFont(fontOf(Face::Bold));
    }
    auto *txtFilter = design.make<QLineEdit>("txtFilter");
    txtFilter->setPlaceholderText(tr("Filter"));
    txtFilter->setAccessibleName(tr("Filter"));
    txtFilter->setClearButtonEnabled(true);

    m_list = new ResultListView(countries, client);
    m_list->attachHeadings(lblTitle);
    m_list->attachFilter(txtFilter);
    // Enter in the filter goes on to the rows it left.
    connect(txtFilter, &QLineEdit::returnPressed, m_list,
        [this] { m_list->setFocus(Qt::TabFocusReason); });

    QWidget::setTabOrder(previous, txtFilter);
    previous = txtFilter;
    for (ColumnHeading *heading : lblTitle) {
        QWidget::setTabOrder(previous, heading);
        previous = heading;
    }
    QWidget::setTabOrder(previous, m_list);
}

} // namespace pellomar
