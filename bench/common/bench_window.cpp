// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/bench_window.h"

#include "platform/display_text.h"
#include "platform/file_io.h"
#include "reference/reference_table.h"
#include "resultfile/result_format.h"
#include "search/search_exchange.h"
#include "search/search_reply.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace pellomar::bench {

namespace {

ReferenceTable referenceTable(const QString &file, bool countries)
{
    const FileRead read = readWholeFile(binDir() + u'/' + file);
    if (!read.ok())
        std::fprintf(stderr, "%s\n", qPrintable(read.error));
    return countries ? parseCountries(asView(read.data)).table
                     : parseLocationTypes(asView(read.data)).table;
}

// One whole reply from the server for `path`, read without the event loop.
QByteArray fetch(const ServerAddress &server, const QByteArray &path)
{
    QTcpSocket socket;
    socket.connectToHost(server.host, server.port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(
        "GET " + path + " HTTP/1.0\r\nHost: " + toBytes(server.hostHeader()).c_str() + "\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(5000))
        reply += socket.readAll();
    return reply + socket.readAll();
}

} // namespace

DirectorySearch searchNear300(const ServerAddress &server, const ReferenceTable &countries)
{
    DirectorySearch best;
    for (const char *code : { "JP", "AU", "ES", "IT", "CA", "FR", "DE" }) {
        const QByteArray path = QByteArray("/browse-app.php?country=") + code;
        const qsizetype records = fetch(server, path).count("END");
        if (best.path.isEmpty() || qAbs(records - 300) < qAbs(best.records - 300)) {
            best.path = path;
            best.records = records;
            best.countryName = displayText(countries.nameForCode(code).value_or(std::string()));
        }
    }
    return best;
}

void pressSearchButton(frmMain &window, const DirectorySearch &search)
{
    window.findChild<QComboBox *>(QStringLiteral("tCountry"))->setCurrentText(search.countryName);
    QTest::mousePress(window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    paintNow(window);
}

bool searchAndPaint(frmMain &window, const std::function<void()> &painted)
{
    bool done = false;
    bool stored = false;
    QObject context;
    // Waits as the program does, asleep in the event loop until something happens (a
    // processEvents() loop with a time limit polls and keeps a processor busy meanwhile).
    QEventLoop waiting;
    QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
    // Connected after the window's own handler: it runs once the rows are loaded.
    QObject::connect(&window.searchExchange(), &SearchExchange::replyReady, &context, [&] {
        paintNow(window);
        if (painted)
            painted();
    });
    QObject::connect(&window.searchExchange(), &SearchExchange::stored, &context, [&] {
        done = stored = true;
        waiting.quit();
    });
    QObject::connect(
        &window.searchExchange(), &SearchExchange::failed, &context, [&](const QString &reason) {
            std::printf("search failed: %s\n", qPrintable(reason));
            done = true;
            waiting.quit();
        });
    QTest::mouseRelease(
        window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    if (!done)
        waiting.exec();
    return stored;
}

QString binDir()
{
    const QString fromTest = qEnvironmentVariable("PELLOMAR_BIN_DIR");
    return fromTest.isEmpty() ? QCoreApplication::applicationDirPath() : fromTest;
}

std::unique_ptr<frmMain> showMainWindow(const ServerAddress &server, const QString &dataDir)
{
    AppContext context;
    context.server = server;
    context.dataDir = dataDir;
    context.referenceDir = binDir();
    auto window
        = std::make_unique<frmMain>(context, referenceTable(QStringLiteral("countries.txt"), true),
            referenceTable(QStringLiteral("locations.txt"), false));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        std::printf("the main window was not exposed: painting is not measured\n");
    // The start-up reload runs 200 ms after the window is shown.
    QTest::qWait(400);
    return window;
}

void paintNow(QWidget &window)
{
    QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
}

QByteArray directoryRecord(int n)
{
    static const char *const countries[] = { "US", "DE", "FR" };
    const QByteArray k = QByteArray::number(n);
    QByteArray record = "Hotspot number " + k
        + " Coffee House<>free<>Example Wireless Networks<>www.hotspot" + k
        + ".example<>+1 555 010 " + QByteArray::number(n % 10000)
        + "<>info@example.org<>Cafe<>12 Market Street<>10115<>Springfield<>" + countries[n % 3]
        + "<>40.712800<>-74.006000<>2<>SSID: Example_Free_WiFi; ask at the counter<>Quiet "
          "seats by the window, power at every table.<>images/"
        + k + ".jpg";
    record.insert(record.size() / 2, "\r\n");
    record.resize(331, ' ');
    return record + "END";
}

QByteArray directoryReply(int records)
{
    QByteArray reply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/plain\r\n\r\n";
    reply.reserve(reply.size() + qsizetype(records) * 340);
    for (int i = 1; i <= records; ++i)
        reply += directoryRecord(i);
    return reply;
}

QByteArray resultFile(int records)
{
    std::string body = processReply(asView(directoryReply(records))).body;
    body += "\r\n";
    scramble(body);
    return QByteArray(body.data(), qsizetype(body.size()));
}

} // namespace pellomar::bench
