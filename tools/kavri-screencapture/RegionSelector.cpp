// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionSelector.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "ImageOutput.h"
#include "SelectionOverlay.h"
#include "platform/CaptureSound.h"

namespace kavri {

RegionSelector::RegionSelector(QString outputPath, bool playSound, std::chrono::milliseconds idleTimeout)
    : m_outputPath(std::move(outputPath))
    , m_playSound(playSound)
{
    // Nobody at the keyboard: give the screen back rather than hold it frozen.
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(idleTimeout);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        qDebug("no input for %lld ms, giving up", static_cast<long long>(m_idleTimer.interval()));
        dismiss();
    });
}

RegionSelector::~RegionSelector() = default;

bool RegionSelector::start()
{
    // Every screen is grabbed before any overlay shows, so no overlay is in any picture.
    std::vector<std::pair<QScreen *, QPixmap>> shots;
    for (QScreen *screen : QGuiApplication::screens()) {
        QPixmap shot = screen->grabWindow(0);
        if (shot.isNull())
            return false;
        shots.emplace_back(screen, std::move(shot));
    }
    if (shots.empty())
        return false;

    for (auto &[screen, shot] : shots) {
        auto overlay = std::make_unique<SelectionOverlay>(screen, shot);
        connect(overlay.get(), &SelectionOverlay::activity, &m_idleTimer, qOverload<>(&QTimer::start));
        connect(overlay.get(), &SelectionOverlay::dismissed, this, &RegionSelector::dismiss);
        connect(overlay.get(), &SelectionOverlay::selected, this,
            [this, image = shot.toImage()](const QRect &pixels) { finishWith(image.copy(pixels)); });
        overlay->show();
        m_overlays.push_back(std::move(overlay));
    }
    // The overlays bypass the window manager, so they take the keyboard themselves.
    SelectionOverlay *first = m_overlays.front().get();
    first->activateWindow();
    first->grabKeyboard();
    m_idleTimer.start();
    return true;
}

void RegionSelector::finishWith(const QImage &region)
{
    m_idleTimer.stop();
    for (auto &overlay : m_overlays)
        overlay->hide();
    if (!writePng(region, m_outputPath)) {
        QCoreApplication::exit(1);
        return;
    }
    // The image is complete before the sound starts; the sound only delays the exit.
    if (m_playSound)
        CaptureSound::playToEnd(std::chrono::seconds(3));
    QCoreApplication::exit(0);
}

void RegionSelector::dismiss()
{
    m_idleTimer.stop();
    QCoreApplication::exit(0);
}

} // namespace kavri
