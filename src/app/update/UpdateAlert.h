// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "services/update/AppcastItem.h"
#include "services/update/UserDriver.h"

class QLabel;
class QPushButton;

namespace kavri {

class ReleaseNotesView;

// The window that offers a found update: what is new, and "Download", "Remind Me Later" or
// "Skip This Version". Closing it counts as "Remind Me Later". Deletes itself when closed.
class UpdateAlert : public QDialog
{
    Q_OBJECT

public:
    UpdateAlert(const AppcastItem &item, const QString &currentVersion, QWidget *parent = nullptr);

    const AppcastItem &item() const { return m_item; }
    ReleaseNotesView *releaseNotesView() const { return m_notes; }
    QPushButton *downloadButton() const { return m_download; }
    QPushButton *remindLaterButton() const { return m_remindLater; }
    QPushButton *skipButton() const { return m_skip; }
    QString headingText() const;
    QString informativeText() const;

Q_SIGNALS:
    // Once, when the window closes.
    void choiceMade(kavri::UpdateChoice choice);
    // The user clicked or typed in the window (a window shown without the focus may still be
    // activated by the desktop on its own, so activation alone does not count).
    void attended();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(UpdateChoice choice);

    AppcastItem m_item;
    QLabel *m_heading;
    QLabel *m_informative;
    ReleaseNotesView *m_notes;
    QPushButton *m_download;
    QPushButton *m_remindLater;
    QPushButton *m_skip;
    UpdateChoice m_choice = UpdateChoice::RemindLater;
};

} // namespace kavri
