// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the detail window's performance figures on this machine:
//  1. reading and tidying one record for display;
//  2. opening a detail window, from creation to its values on screen;
//  3. a location picture (a 640 x 480 JPEG) fetched over loopback and shown as the thumbnail,
//     from the window's creation to the picture on screen;
//  4. saving a hotspot to a text file (atomic write).

#include "common/bench_figures.h"
#include "common/scripted_server.h"
#include "details/frm_info.h"
#include "details/saved_hotspot.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace pellomar;
using namespace pellomar::bench;
using namespace pellomar::test;

namespace {

const std::string Record = "Cafe Lumen<>free (with registration)<>Lumen Networks<>"
                           "www.lumen.example<>0<>info@lumen.example<>Cafe<>12 Main Street<>"
                           "10115<>Berlin<>DE<>52.52<>13.40<>2<>LumenFree<>Open 7-22<>"
                           "images/lumen.jpg";

CountryNameLookup germany()
{
    return [](std::string_view) { return std::string("GERMANY"); };
}

// A photograph-like picture: gradients and noise, so the JPEG has a realistic size.
QByteArray photoJpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(48));
            line[x] = qRgb((x * 255 / width + noise) % 256, (y * 255 / height + noise) % 256,
                (x + y + noise) % 256);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Yes; });
    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;

    {
        constexpr int Rounds = 100'000;
        QElapsedTimer clock;
        clock.start();
        std::size_t sink = 0;
        for (int i = 0; i < Rounds; ++i)
            sink += readHotspotDetails(Record, germany()).locationName.size();
        const double us = double(clock.nsecsElapsed()) / 1000.0 / Rounds;
        if (sink == 0)
            return 2;
        report({ QStringLiteral("detailrecord"),
                   QStringLiteral("detail window: one record read and tidied"),
                   QStringLiteral("us"), QStringLiteral("<20"), {} },
            us);
    }

    AppContext context;
    context.dataDir = dir.path();
    context.server = ServerAddress { QStringLiteral("127.0.0.1"), ScriptedServer::unusedPort() };

    {
        Samples times;
        for (int i = 0; i < 40; ++i) {
            QElapsedTimer clock;
            clock.start();
            auto *window = new frmInfo(context, "Cafe Lumen<>free<>Lumen", germany());
            window->show();
            QCoreApplication::processEvents();
            times.add(double(clock.nsecsElapsed()) / 1e6);
            delete window;
        }
        report({ QStringLiteral("detailopen"), QStringLiteral("detail window opened and filled"),
                   QStringLiteral("ms"), QStringLiteral("<50"), {} },
            times);
    }

    {
        ScriptedServer server;
        if (!server.listen())
            return 2;
        const QByteArray jpeg = photoJpeg(640, 480);
        server.setDefaultScript(
            Script::reply("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n" + jpeg));
        context.server = server.address();
        Samples times;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer clock;
            clock.start();
            auto *window = new frmInfo(context, Record, germany());
            QSignalSpy ended(window, &frmInfo::imageDownloadEnded);
            window->show();
            if (!ended.wait(5000) || !ended.first().first().toBool()) {
                std::printf("picture download failed\n");
                return 1;
            }
            times.add(double(clock.nsecsElapsed()) / 1e6);
            delete window;
        }
        report({ QStringLiteral("detailpicture"),
                   QStringLiteral("detail window with a 640x480 JPEG (%1 kB) fetched and shown")
                       .arg(jpeg.size() / 1024),
                   QStringLiteral("ms"), QStringLiteral("<150"), {} },
            times);
    }

    {
        auto *window = new frmInfo(context, "Cafe Lumen<>free<>Lumen", germany());
        const QString path = dir.filePath(QStringLiteral("saved.txt"));
        SaveDialog::setResponder([&path](const SaveDialog::Request &) { return path; });
        auto *save = window->findChild<QPushButton *>(QStringLiteral("SaveHotspot"));
        const Samples times = timeMs(
            40, [save] { save->click(); }, 0);
        delete window;
        report({ QStringLiteral("detailsave"), QStringLiteral("hotspot saved to a text file"),
                   QStringLiteral("ms"), QStringLiteral("<20"), {} },
            times);
    }
    return 0;
}
