// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include "ResultPopupController.h"

namespace kavri {

// How a card's content reaches the controller that made it. Every card gets its own; the content
// holds the controller only weakly, so a card that outlives it finds nothing to call.
class ResultPopupViewModel : public QObject
{
    Q_OBJECT

public:
    explicit ResultPopupViewModel(ResultPopupController *controller, QObject *parent = nullptr)
        : QObject(parent)
        , m_controller(controller)
    { }

    ResultPopupController *controller() const { return m_controller; }

private:
    QPointer<ResultPopupController> m_controller;
};

} // namespace kavri
