// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/recent_searches_dialog.h"

#include "platform/display_text.h"
#include "platform/message_box.h"
#include "search/recent_searches.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pellomar {

namespace {

QString joined(std::initializer_list<const std::string *> values)
{
    QStringList parts;
    for (const std::string *value : values) {
        const QString text = displayText(*value).simplified();
        if (!text.isEmpty() && text.compare(QStringLiteral("all"), Qt::CaseInsensitive) != 0)
            parts << text;
    }
    return parts.isEmpty() ? QStringLiteral("All") : parts.join(QStringLiteral(", "));
}

} // namespace

RecentSearchesDialog::RecentSearchesDialog(const RecentSearches &kept, QWidget *parent)
    : QDialog(parent)
    , m_kept(kept)
{
    setObjectName(QStringLiteral("frmRecent"));
    setWindowTitle(tr("Recent searches"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstRecent"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({ tr("Where"), tr("What"), tr("When"), tr("Rows") });
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto *buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(tr("&Open"), QDialogButtonBox::AcceptRole);
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    m_forget = buttons->addButton(tr("&Forget all\u2026"), QDialogButtonBox::ResetRole);
    m_forget->setObjectName(QStringLiteral("cmdForget"));
    buttons->addButton(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(640, 360);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_open, &QPushButton::clicked, this, &RecentSearchesDialog::openCurrent);
    connect(m_forget, &QPushButton::clicked, this, &RecentSearchesDialog::forgetAll);
    connect(m_list, &QTreeWidget::itemActivated, this, &RecentSearchesDialog::openCurrent);
    fill();
}

void RecentSearchesDialog::fill()
{
    RecentSearches::Listing listing = m_kept.list();
    m_searches = std::move(listing.searches);
    m_list->clear();
    const QLocale locale;
    for (const KeptSearch &search : m_searches) {
        const SearchFields &f = search.fields;
        const QDateTime when = QDateTime::fromMSecsSinceEpoch(search.receivedMs).toLocalTime();
        auto *item = new QTreeWidgetItem(m_list,
            { joined({ &f.country, &f.city, &f.zip }), joined({ &f.locationType, &f.accessType }),
                locale.toString(when, QLocale::ShortFormat),
                locale.toString(qulonglong(search.records.size())) });
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!m_searches.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_open->setEnabled(!m_searches.empty());
    m_forget->setEnabled(!m_searches.empty() || !listing.damaged.isEmpty());
    if (!listing.damaged.isEmpty()) {
        MessageBox::show(this, QMessageBox::Warning, tr("Recent searches"),
            tr("These kept searches are damaged and cannot be shown: %1")
                .arg(listing.damaged.join(QStringLiteral(", "))));
    }
}

void RecentSearchesDialog::openCurrent()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= int(m_searches.size()))
        return;
    Q_EMIT opened(m_searches[std::size_t(row)]);
    accept();
}

void RecentSearchesDialog::forgetAll()
{
    if (MessageBox::show(this, QMessageBox::Question, tr("Recent searches"),
            tr("Forget every kept search? They cannot be shown again without a new "
               "search."),
            QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (const QString error = m_kept.forgetAll(); !error.isEmpty())
        MessageBox::show(this, QMessageBox::Critical, tr("Recent searches"), error);
    fill();
}

} // namespace pellomar
