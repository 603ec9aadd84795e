// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// kavri-screencapture: lets the user drag a rectangle over the screen and writes that region
// as PNG. Kavri runs it as a child process for every screen capture.
//
//   kavri-screencapture -cs FILE    select a region, write it to FILE, play the capture sound
//   kavri-screencapture -csx FILE   the same, silently
//
// Exit status: 0 with FILE written (a region was selected), 0 without FILE (the user dismissed
// the selection), 1 (the screen could not be captured or FILE not written), 2 (wrong usage).
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <QApplication>

#include <sys/prctl.h>
#include <unistd.h>

#include "PortalScreenshot.h"
#include "RegionSelector.h"
#include "platform/ImageLimits.h"

namespace {

constexpr auto defaultIdleTimeout = std::chrono::minutes(5);

int usage()
{
    std::fputs("Usage: kavri-screencapture -cs|-csx FILE\n"
               "Select a screen region with the mouse and write it to FILE as PNG.\n"
               "  -cs   play the capture sound\n"
               "  -csx  no sound\n"
               "Escape, a right click or a click without a drag cancels (exit 0, no FILE).\n",
        stderr);
    return 2;
}

// Dies with Kavri: a tool orphaned mid-selection would hold the screen frozen for nobody.
bool followParent()
{
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    return getppid() == parent; // the parent may have died before the request took effect
}

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && (qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland")
            || qEnvironmentVariableIsEmpty("DISPLAY"));
}

std::chrono::milliseconds idleTimeout()
{
    // Tests shorten the wait; users get five minutes.
    bool ok = false;
    const int configured = qEnvironmentVariableIntValue("KAVRI_SCREENCAPTURE_IDLE_MS", &ok);
    return ok && configured > 0 ? std::chrono::milliseconds(configured) : defaultIdleTimeout;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 || (std::strcmp(argv[1], "-cs") != 0 && std::strcmp(argv[1], "-csx") != 0) || argv[2][0] == '\0')
        return usage();
    const bool playSound = std::strcmp(argv[1], "-cs") == 0;
    if (!followParent())
        return 1;
    // The portal hands over the whole desktop, which on several large screens is a large image.
    kavri::ImageLimits::allowLargeImages();

    if (isWaylandSession()) {
        QCoreApplication app(argc, argv);
        kavri::PortalScreenshot portal(QString::fromLocal8Bit(argv[2]));
        return portal.start() ? app.exec() : 1;
    }

    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("kavri-screencapture: no display to capture\n", stderr);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    kavri::RegionSelector selector(QString::fromLocal8Bit(argv[2]), playSound, idleTimeout());
    if (!selector.start()) {
        std::fputs("kavri-screencapture: the screen could not be grabbed\n", stderr);
        return 1;
    }
    return app.exec();
}
