// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "ui/controls/accessiblecontrols.h"
#include "ui/launcher/frmtavo.h"
#include "ui/style/fontsubstitutes.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<QString> answer = commandLineAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

#ifndef Q_OS_WIN
    // A write to a pipe or socket whose reader has gone should fail as an error the caller
    // reports, not end the program and lose the user's work.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"kelvane-extras"_s);
    // The settings live in ~/.config/kelvane-extras/.
    QApplication::setOrganizationName(u"kelvane-extras"_s);
    // Docks and Wayland compositors find the window's name and icon through its desktop entry.
    QGuiApplication::setDesktopFileName(u"io.github.kelvane_extras.KelvaneExtras"_s);
    TavoBAS::installFontSubstitutes();
    installAccessibleControls();

    frmTavo launcher;
    launcher.show();
    return QApplication::exec();
}
