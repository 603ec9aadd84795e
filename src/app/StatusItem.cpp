// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusItem.h"

#include <QApplication>
#include <QPainter>

#include "AppRootCoordinator.h"
#include "AppTexts.h"
#include "MenuBarIcon.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// Trays are light on some desktops and dark on others, and do not say which: a light symbol with
// a dark rim reads on both.
QPixmap trayPixmap(const MenuBarIcon &icon, int logicalSize, qreal ratio)
{
    const QPixmap light = icon.image(QColor(0xf4, 0xf4, 0xf4)).pixmap(QSize(logicalSize, logicalSize), ratio);
    const QPixmap rim = icon.image(QColor(0x20, 0x20, 0x20, 0xc0)).pixmap(QSize(logicalSize, logicalSize), ratio);
    QPixmap result(light.size());
    result.setDevicePixelRatio(light.devicePixelRatio());
    result.fill(Qt::transparent);
    if (light.isNull())
        return result;
    QPainter painter(&result);
    const qreal step = 1.0 / light.devicePixelRatio();
    for (const QPointF offset : { QPointF(-step, 0), QPointF(step, 0), QPointF(0, -step), QPointF(0, step) })
        painter.drawPixmap(offset, rim);
    painter.drawPixmap(QPointF(0, 0), light);
    return result;
}

} // namespace

StatusItem::StatusItem(AppRootCoordinator &coordinator, std::function<void()> openSettings, QObject *parent)
    : QObject(parent)
    , m_coordinator(coordinator)
{
    m_menu.addAction(AppTexts::captureText.toString(), this, [this] { m_coordinator.captureText(); });
    m_menu.addAction(AppTexts::captureQRCode.toString(), this, [this] { m_coordinator.captureQRCode(); });
    m_menu.addSeparator();
    m_menu.addAction(AppTexts::settings.toString(), this, [open = std::move(openSettings)] {
        if (open)
            open();
    });
    m_menu.addSeparator();
    m_menu.addAction(AppTexts::quitKavri.toString(), qApp, &QCoreApplication::quit);
    m_tray.setContextMenu(&m_menu);
    m_tray.setToolTip(u"Kavri"_s);

    connect(&m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            m_coordinator.toggleMenu();
    });
    connect(&m_coordinator, &AppRootCoordinator::menuBarIconChanged, this, &StatusItem::updateIcon);
    updateIcon();
    // Qt embeds the icon in a tray that appears later by itself.
    m_tray.show();
}

void StatusItem::setBadged(bool badged)
{
    if (m_badged == badged)
        return;
    m_badged = badged;
    updateIcon();
}

void StatusItem::updateIcon()
{
    const MenuBarIcon icon { m_coordinator.menuBarIcon(), m_coordinator.menuBarIconStyle() };
    QIcon image;
    for (const qreal ratio : { 1.0, 2.0 }) {
        QPixmap pixmap = trayPixmap(icon, 22, ratio);
        if (m_badged) {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(0x20, 0x20, 0x20, 0xc0), 1));
            painter.setBrush(QColor(0xe0, 0x30, 0x30));
            painter.drawEllipse(QRectF(13.5, 0.5, 8, 8));
        }
        image.addPixmap(pixmap);
    }
    m_tray.setIcon(image);
}

} // namespace kavri
