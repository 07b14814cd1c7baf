// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/app_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace pellomar {

std::optional<ServerAddress> ServerAddress::parse(const QString &text)
{
    // QUrl does the host validation (IPv6 brackets included) that a split at ':' would get wrong.
    const QUrl url(QStringLiteral("http://") + text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.path().isEmpty() || url.hasQuery()
        || !url.userInfo().isEmpty() || url.hasFragment())
        return std::nullopt;
    const int port = url.port(80);
    if (port <= 0 || port > 65535)
        return std::nullopt;
    return ServerAddress { url.host(), static_cast<quint16>(port) };
}

QString ServerAddress::problemWith(const QString &text)
{
    if (parse(text))
        return {};
    return QCoreApplication::translate(
        "pellomar::ServerAddress", "'%1' is not a HOST or HOST:PORT address (a port is 1 to 65535)")
        .arg(text);
}

QString ServerAddress::hostHeader() const
{
    const QString name = host.contains(QLatin1Char(':')) ? u'[' + host + u']' : host;
    return port == 80 ? name : name + u':' + QString::number(port);
}

QString ServerAddress::siteUrl() const
{
    return QStringLiteral("http://") + hostHeader();
}

std::unique_ptr<QSettings> openSettings(QString *problem)
{
    using namespace Qt::Literals::StringLiterals;
    const QString application = QCoreApplication::applicationName();
    const QString organisation = QCoreApplication::organizationName();
    // The file QSettings(organisation, application) would use, named here so that it can be
    // looked at before QSettings reads it whole (or waits on it for ever, were it a FIFO).
    const QString path = u"%1/%2/%3.conf"_s.arg(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        organisation.isEmpty() ? application : organisation, application);
    const QFileInfo file(path);
    const QString shown = QDir::toNativeSeparators(path);
    QString refused;
    if (file.exists() && !file.isFile())
        refused = QCoreApplication::translate(
            "pellomar::Settings", "the settings file %1 is not a regular file")
                      .arg(shown);
    else if (file.exists() && file.size() > MaxSettingsBytes)
        refused = QCoreApplication::translate(
            "pellomar::Settings", "the settings file %1 is larger than %2 MB")
                      .arg(shown, QString::number(MaxSettingsBytes / (1024 * 1024)));
    if (!refused.isEmpty()) {
        if (problem)
            *problem
                = refused + QCoreApplication::translate("pellomar::Settings", "; it was not read");
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

} // namespace pellomar
