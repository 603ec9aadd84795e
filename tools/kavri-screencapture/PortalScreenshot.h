// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QVariantMap>

namespace kavri {

// The Wayland flow: asks the desktop's screenshot portal for an interactive screenshot (the
// portal shows its own region picker and consent) and copies the delivered image to the output
// as PNG. Ends the application with 0 (written, or cancelled by the user) or 1.
class PortalScreenshot : public QObject
{
    Q_OBJECT

public:
    explicit PortalScreenshot(QString outputPath);

    // False when the portal cannot be asked at all.
    bool start();

public Q_SLOTS:
    // org.freedesktop.portal.Request.Response; connected by name, as Qt D-Bus requires.
    void onResponse(uint response, const QVariantMap &results);

private:
    QString m_outputPath;
};

} // namespace kavri
