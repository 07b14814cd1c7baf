// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"

#include "platform/display_text.h"
#include "resultfile/result_format.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace pellomar::test {

MainWindowHarness::MainWindowHarness(
    const ServerAddress &server, const std::string *previousResults, const QDateTime &stored)
{
    AppContext context;
    context.server = server;
    context.dataDir = m_dir.path();
    context.referenceDir = binDir();
    m_context = context;
    if (previousResults) {
        if (!putScrambled(context.resultFilePath(), *previousResults))
            qWarning("cannot store the previous results");
        QFile file(context.resultFilePath());
        if (stored.isValid()
            && !(file.open(QIODevice::ReadWrite)
                && file.setFileTime(stored, QFileDevice::FileModificationTime)))
            qWarning("cannot date the previous results");
    }
    reopen();
}

void MainWindowHarness::reopen()
{
    m_window.reset();
    m_window = std::make_unique<frmMain>(m_context, shippedCountries(),
        parseLocationTypes(asView(fileBytes(binDir() + QStringLiteral("/locations.txt")))).table);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("main window not exposed");
    // The start-up reload ends with one of the load's own status texts.
    if (!QTest::qWaitFor([this] {
            return status() != QStringLiteral("Welcome to Pellomar.")
                && status() != QStringLiteral("Loading Results...");
        }))
        qWarning("the start-up reload did not end");
}

MainWindowHarness::~MainWindowHarness() = default;

QString MainWindowHarness::status() const
{
    return control<QLabel>(QStringLiteral("lblStatus"))->text();
}

ResultListView *MainWindowHarness::list() const
{
    return m_window->findChild<ResultListView *>();
}

QPushButton *MainWindowHarness::searchButton() const
{
    return control<QPushButton>(QStringLiteral("Command1"));
}

void MainWindowHarness::fill(const QString &country, const QString &city, const QString &zip,
    const QString &locationType, const QString &accessType)
{
    control<QComboBox>(QStringLiteral("tCountry"))->setCurrentText(country);
    control<QLineEdit>(QStringLiteral("tCity"))->setText(city);
    control<QLineEdit>(QStringLiteral("tZip"))->setText(zip);
    control<QComboBox>(QStringLiteral("tLocation"))->setCurrentText(locationType);
    control<QComboBox>(QStringLiteral("tHotspot"))->setCurrentText(accessType);
}

bool MainWindowHarness::search(int timeoutMs)
{
    QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
    QSignalSpy failed(&m_window->searchExchange(), &SearchExchange::failed);
    QTest::mouseClick(searchButton(), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, timeoutMs))
        qWarning("the search did not end");
    return !stored.isEmpty();
}

QByteArray MainWindowHarness::resultText() const
{
    return QByteArray::fromStdString(scrambled(asView(fileBytes(context().resultFilePath()))));
}

} // namespace pellomar::test
