// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/tile_source.h"

#include "platform/app_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace pellomar {

namespace {

using namespace Qt::Literals::StringLiterals;

const QString OsmTemplate = u"https://tile.openstreetmap.org/{z}/{x}/{y}.png"_s;
const QString DemoTilePath = u"/tiles/{z}/{x}/{y}{r}.png"_s;
const QString TileServerKey = u"map/tileServer"_s;

QString filled(QString urlTemplate, int zoom, int x, int y, const QString &ratio)
{
    return urlTemplate.replace(u"{z}"_s, QString::number(zoom))
        .replace(u"{x}"_s, QString::number(x))
        .replace(u"{y}"_s, QString::number(y))
        .replace(u"{r}"_s, ratio);
}

} // namespace

TileSource TileSource::openStreetMap()
{
    return { OsmTemplate, u"© OpenStreetMap contributors"_s,
        u"https://www.openstreetmap.org/copyright"_s, {} };
}

TileSource TileSource::demoDirectory(const QString &origin)
{
    return { origin + DemoTilePath,
        QCoreApplication::translate(
            "pellomar::TileSource", "Demo tiles drawn by pellomar-directory"),
        origin + u'/', {} };
}

TileSource TileSource::forTemplate(const QString &urlTemplate)
{
    if (urlTemplate == OsmTemplate)
        return openStreetMap();
    const QUrl url(filled(urlTemplate, 0, 0, 0, {}));
    const QString origin = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                                  | QUrl::RemoveUserInfo)
                               .toString();
    if (urlTemplate == origin + DemoTilePath
        || urlTemplate == origin + QString(DemoTilePath).remove(u"{r}"_s))
        return { urlTemplate, demoDirectory(origin).attribution, origin + u'/', {} };
    return { urlTemplate,
        QCoreApplication::translate("pellomar::TileSource", "Map tiles: %1").arg(url.host()),
        origin + u'/', {} };
}

TileSource TileSource::fromSettings()
{
    QString problem;
    const auto settings = openSettings(&problem);
    if (!settings)
        return { {}, {}, {}, problem };
    if (!settings->contains(TileServerKey))
        return openStreetMap();
    const QString urlTemplate = settings->value(TileServerKey).toString();
    if (const QString bad = tileTemplateProblem(urlTemplate); !bad.isEmpty()) {
        return { {}, {}, {},
            QCoreApplication::translate("pellomar::TileSource",
                "the setting %1 in %2 cannot be used: %3; mend it to see tiles")
                .arg(TileServerKey, QDir::toNativeSeparators(settings->fileName()), bad) };
    }
    TileSource source = forTemplate(urlTemplate);
    source.attribution = settings->value(u"map/tileAttribution"_s, source.attribution).toString();
    source.attributionUrl
        = settings->value(u"map/tileAttributionUrl"_s, source.attributionUrl).toString();
    return source;
}

QUrl TileSource::tileUrl(int zoom, int x, int y, bool highDensity) const
{
    return QUrl(filled(urlTemplate, zoom, x, y, highDensity ? u"@2x"_s : QString()));
}

bool TileSource::offersHighDensity() const
{
    return urlTemplate.contains(u"{r}"_s);
}

QString tileTemplateProblem(const QString &urlTemplate)
{
    const QString shown = urlTemplate.isEmpty()
        ? QCoreApplication::translate("pellomar::TileSource", "(empty)")
        : urlTemplate;
    QStringList missing;
    for (const QString &field : { u"{z}"_s, u"{x}"_s, u"{y}"_s })
        if (!urlTemplate.contains(field))
            missing << field;
    if (!missing.isEmpty())
        return QCoreApplication::translate("pellomar::TileSource",
            "the tile server address %1 lacks %2: it must hold {z}, {x} and {y}")
            .arg(shown, missing.join(u", "_s));
    const QUrl url(filled(urlTemplate, 0, 0, 0, {}), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http"_s && scheme != u"https"_s)
        return QCoreApplication::translate("pellomar::TileSource",
            "the tile server address %1 must begin with http:// or https://")
            .arg(shown);
    if (!url.isValid() || url.host().isEmpty())
        return QCoreApplication::translate(
            "pellomar::TileSource", "the tile server address %1 is not a valid web address")
            .arg(shown);
    // A placeholder before the path would let the map's place choose the host, the port or
    // the user name: compare the server named by two different tiles.
    const auto server = [&urlTemplate](int n, const QString &ratio) {
        return QUrl(filled(urlTemplate, n, n, n, ratio))
            .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    };
    if (server(0, {}) != server(1, u"@2x"_s))
        return QCoreApplication::translate("pellomar::TileSource",
            "the tile server address %1 may hold {z}, {x}, {y} and {r} only after its host")
            .arg(shown);
    return {};
}

} // namespace pellomar
