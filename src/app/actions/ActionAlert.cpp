// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActionAlert.h"

#include <QMessageBox>
#include <QPushButton>

#include "content/ContentActionHandler.h"
#include "platform/PlatformWording.h"

using namespace Qt::StringLiterals;

namespace kavri {

void showActionFailure(const ActionFailure &failure, QWidget *parent)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    // Some failure texts name another desktop's programs; the wording table has their stand-ins.
    box.setText(PlatformWording::onLinux(failure.title));
    box.setInformativeText(PlatformWording::onLinux(failure.message));
    QPushButton *ok = box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace kavri
