// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/application.h"

int main(int argc, char *argv[])
{
    return pellomar::runApplication(argc, argv);
}
