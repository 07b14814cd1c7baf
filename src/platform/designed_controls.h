// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/look.h"

#include <QCoreApplication>
#include <QLabel>
#include <QString>
#include <algorithm>
#include <cstring>
#include <span>
#include <type_traits>

namespace pellomar {

// The faces of the designed windows' texts: Verdana 8.25 pt unless named otherwise.
enum class Face { Regular, Bold, Link, Status, ResultCount, Title };

inline QFont fontOf(Face face)
{
    switch (face) {
    case Face::Status:
        return verdana(9);
    case Face::ResultCount:
        return verdana(14.25);
    case Face::Title:
        return verdana(9.75, true);
    default:
        return verdana(8.25, face != Face::Regular, face == Face::Link);
    }
}

// One control of a designed window: its object name (an element of a control array carries its
// index: "Label2_0", "lblTitle3"), its place in twips (left, top, width, height), its caption
// and its face. Captions are marked with QT_TRANSLATE_NOOP in the DesignedControls context
// and shown in the user's language.
struct DesignedControl {
    const char *name;
    int left, top, width, height;
    const char *caption;
    Face face;
};

// Makes the controls of a designed window on `parent` from its table of controls.
class DesignedControls {
public:
    DesignedControls(QWidget *parent, std::span<const DesignedControl> design)
        : m_parent(parent)
        , m_design(design)
    {
    }

    // The control `name` of the table, as a `T` placed, captioned and lettered as designed;
    // a label shows its caption as plain text from its top left corner.
    template<typename T> T *make(const char *name) const
    {
        const DesignedControl &design = *std::ranges::find_if(m_design,
            [name](const DesignedControl &row) { return std::strcmp(row.name, name) == 0; });
        auto *control = new T(m_parent);
        control->setObjectName(QString::fromLatin1(name));
        if constexpr (std::is_base_of_v<QLabel, T>) {
            control->setTextFormat(Qt::PlainText);
            control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        if constexpr (requires { control->setText(QString()); })
            control->setText(
                QCoreApplication::translate("pellomar::DesignedControls", design.caption));
        control->setGeometry(twipsRect(design.left, design.top, design.width, design.height));
        control->setFont(fontOf(design.face));
        return control;
    }

private:
    QWidget *m_parent;
    std::span<const DesignedControl> m_design;
};

} // namespace pellomar
