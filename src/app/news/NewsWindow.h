// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;

namespace kavri {

class AppSettings;

// The news window: the page's web view above a bar with the "Show news at startup" setting,
// "Learn More" (the product's web site) and "Close" (the default button). Fixed size; it deletes
// itself once closed.
class NewsWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize contentSize { 1152, 840 };

    NewsWindow(QWidget *webView, AppSettings &settings, QWidget *parent = nullptr);

private:
    void showSetting();

    AppSettings &m_settings;
    QCheckBox *m_showNews;
};

} // namespace kavri
