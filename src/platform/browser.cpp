// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace pellomar {

namespace {
std::function<void(const QString &)> &opener()
{
    static std::function<void(const QString &)> instance;
    return instance;
}
} // namespace

bool OpenInBrowser(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    if (opener())
        opener()(url.toString(QUrl::FullyEncoded));
    else
        QDesktopServices::openUrl(url);
    return true;
}

void setBrowserOpener(std::function<void(const QString &)> newOpener)
{
    opener() = std::move(newOpener);
}

} // namespace pellomar
