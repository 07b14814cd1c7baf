// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace pellomar {

// The image window: one for the whole program, showing a location picture at full size.
class frmImage : public QWidget {
    Q_OBJECT

public:
    // Shows `picture` in the program's one image window, creating it when it is not open,
    // and brings it to the front. Returns the window.
    static frmImage *showPicture(const QImage &picture);
    // The open image window, if any.
    static frmImage *instance();

    // Shows the picture at its natural size and fits the window's client area to it.
    void LoadIm(const QImage &picture);

private:
    explicit frmImage(QWidget *parent = nullptr);

    QScrollArea *m_area = nullptr;
    QLabel *m_picture = nullptr;
};

} // namespace pellomar
