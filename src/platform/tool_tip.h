// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace pellomar {

// A tooltip that shows `text` as it stands: a tooltip that looks like markup is read as
// markup, and a rich-text <img> makes Qt read local files.
QString plainToolTip(const QString &text);

} // namespace pellomar
