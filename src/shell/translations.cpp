// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <memory>

namespace pellomar {

QString installTranslations(const QLocale &locale, const QStringList &folders)
{
    // QTranslator::load walks the locale's languages in the user's order (LANGUAGE first), so
    // "fr:de" picks French where both are there.
    auto own = std::make_unique<QTranslator>(QCoreApplication::instance());
    const auto found = std::ranges::find_if(folders, [&own, &locale](const QString &folder) {
        return own->load(locale, QStringLiteral("pellomar"), QStringLiteral("_"), folder);
    });
    if (found == folders.end())
        return {};
    QCoreApplication::installTranslator(own.get());
    const QString language = own->language();
    own.release();
    // Dates and numbers follow the language the windows speak; a system locale of that language
    // (German as written in Austria) is more precise and stays.
    QLocale::setDefault(
        QLocale(language).language() == locale.language() ? locale : QLocale(language));
    // Qt's buttons in the same language as the rest; without Debian's qt6-translations-l10n they
    // stay English, which loses nothing.
    auto qt = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt.release());
    return language;
}

} // namespace pellomar
