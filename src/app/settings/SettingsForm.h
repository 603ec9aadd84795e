// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

// The common look of the settings panes: a column of sections, 420 px wide, each section a group
// with an optional header, captions below in a small, secondary text.
namespace kavri::SettingsForm {

inline constexpr int paneWidth = 420;

// The pane's column; sections are added to it in order.
QVBoxLayout *column(QWidget *pane);
// A section with \a header (none when empty) and its own column of rows.
QVBoxLayout *section(QVBoxLayout *column, const QString &header = {});
QLabel *caption(const QString &text);
// A row with \a widget centred (or at the end), flexible space on the sides.
QHBoxLayout *centred(QWidget *widget);
QHBoxLayout *trailing(QWidget *widget);

} // namespace kavri::SettingsForm
