// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/server_choice.h"

#include "platform/app_context.h"

#include <QCoreApplication>
#include <QSettings>

namespace pellomar {

namespace {

const QString Key = QStringLiteral("directory/server");

} // namespace

std::optional<ServerAddress> chosenServer()
{
    const auto settings = openSettings();
    if (!settings)
        return std::nullopt;
    return ServerAddress::parse(settings->value(Key).toString());
}

QString keepChosenServer(const ServerAddress &server)
{
    QString problem;
    const auto settings = openSettings(&problem);
    if (!settings)
        return problem;
    settings->setValue(Key, server.hostHeader());
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return QCoreApplication::translate(
            "pellomar::ServerChoice", "The settings file %1 cannot be written.")
            .arg(settings->fileName());
    return {};
}

} // namespace pellomar
