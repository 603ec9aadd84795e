// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

namespace kavri {

class SelectionOverlay;

// The X11 flow: grabs every screen before showing anything, shows one overlay per screen, and
// writes the selected device pixels as PNG. Ends the application with 0 (written, or dismissed
// with nothing written) or 1 (could not capture or write).
class RegionSelector : public QObject
{
    Q_OBJECT

public:
    RegionSelector(QString outputPath, bool playSound, std::chrono::milliseconds idleTimeout);
    ~RegionSelector() override;

    // False when no screen could be grabbed.
    bool start();

private:
    void finishWith(const QImage &region);
    void dismiss();

    QString m_outputPath;
    bool m_playSound;
    QTimer m_idleTimer;
    std::vector<std::unique_ptr<SelectionOverlay>> m_overlays;
};

} // namespace kavri
