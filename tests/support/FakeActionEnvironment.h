// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include "app/actions/DesktopActionEnvironment.h"

namespace kavri::test {

// The desktop's real action services, except the save dialog, which no test can answer through
// a native window: the test answers it, at once or later, in place of the user.
class FakeActionEnvironment : public DesktopActionEnvironment
{
public:
    void chooseSaveLocation(const QString &fileName, std::function<void(std::optional<QString>)> chosen) override
    {
        proposedNames.append(fileName);
        if (answerAtOnce)
            chosen(*answerAtOnce);
        else
            m_pending = std::move(chosen);
    }

    // Answers the dialog still open, as the user would; none cancels.
    void answer(const std::optional<QString> &path)
    {
        if (auto chosen = std::exchange(m_pending, {}))
            chosen(path);
    }

    QStringList proposedNames;
    // When set, the dialog is answered inside the call that opens it.
    std::optional<QString> answerAtOnce;

private:
    std::function<void(std::optional<QString>)> m_pending;
};

// Takes every URL the desktop is asked to open for the given schemes, instead of the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QStringList &schemes)
        : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }

private:
    QStringList m_schemes;
};

} // namespace kavri::test
