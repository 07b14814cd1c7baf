// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringList>

namespace pellomar {

// Installs the program's translation for `locale` from the first of `folders` that holds one
// ("pellomar_de.qm" beside the reference files), and Qt's own ("qtbase_de.qm") for its dialogs'
// buttons. Returns the language installed, or an empty string when the program speaks English.
QString installTranslations(const QLocale &locale, const QStringList &folders);

} // namespace pellomar
