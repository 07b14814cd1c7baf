#include "download_caption.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace pellomar {

QString downloadedCaption(const QDateTime &downloaded, const QLocale &locale)
{
    if (!downloaded.isValid())
        return {};
    const QDateTime local = downloaded.toLocalTime();
    // Day, month name and year read the same way everywhere, where a numeric date (6/12 or
    // 12/6) does not; the clock follows the locale's own 12- or 24-hour habit, to the minute
    // (some locales' short format, the C locale's among them, carries seconds).
    static const QRegularExpression seconds(QStringLiteral("[:.]ss?"));
    const QString clock = locale.timeFormat(QLocale::ShortFormat).remove(seconds);
    return QStringLiteral("Downloaded %1 %2")
        .arg(locale.toString(local.date(), QStringLiteral("d MMM yyyy")),
            locale.toString(local.time(), clock));
}

QString resultFileCaption(const QString &path, const QLocale &locale)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    return downloadedCaption(file.lastModified(), locale);
}

} // namespace pellomar
