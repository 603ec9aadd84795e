// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace kavri {

class SettingsViewModel;

// Kavri's icon, name, version and credits, and the way to its website.
class AboutSettingsPane : public QWidget
{
    Q_OBJECT

public:
    static constexpr QStringView defaultCreditsPath = u":/kavri/credits.html";

    // A credits file that is missing or unreadable leaves the credits area empty.
    explicit AboutSettingsPane(SettingsViewModel &model, const QString &creditsPath = defaultCreditsPath.toString(),
        QWidget *parent = nullptr);

    QTextBrowser *credits() const { return m_credits; }
    QPushButton *websiteButton() const { return m_website; }

private:
    QTextBrowser *m_credits;
    QPushButton *m_website;
};

} // namespace kavri
