// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdateAlert.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ReleaseNotesView.h"

using namespace Qt::StringLiterals;

namespace kavri {

UpdateAlert::UpdateAlert(const AppcastItem &item, const QString &currentVersion, QWidget *parent)
    : QDialog(parent)
    , m_item(item)
    , m_heading(new QLabel(u"A new version of Kavri is available!"_s, this))
    , m_informative(new QLabel(this))
    , m_notes(new ReleaseNotesView(this))
    , m_download(new QPushButton(u"Download"_s, this))
    , m_remindLater(new QPushButton(u"Remind Me Later"_s, this))
    , m_skip(new QPushButton(u"Skip This Version"_s, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Software Update"_s);
    setObjectName(u"updateAlert"_s);

    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    m_heading->setFont(headingFont);
    m_informative->setText(u"Kavri %1 is now available\u2014you have %2. Would you like to download it now?"_s.arg(
        item.displayVersionString(), currentVersion));
    m_informative->setWordWrap(true);
    m_informative->setTextFormat(Qt::PlainText);
    m_heading->setTextFormat(Qt::PlainText);

    auto *notesLabel = new QLabel(u"Release Notes:"_s, this);
    QFont notesFont = notesLabel->font();
    notesFont.setBold(true);
    notesLabel->setFont(notesFont);
    m_notes->setMinimumSize(480, 240);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_skip);
    buttons->addStretch(1);
    buttons->addWidget(m_remindLater);
    buttons->addWidget(m_download);
    m_download->setDefault(true);
    m_download->setAutoDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_informative);
    layout->addSpacing(8);
    layout->addWidget(notesLabel);
    layout->addWidget(m_notes, 1);
    layout->addLayout(buttons);

    connect(m_download, &QPushButton::clicked, this, [this] { choose(UpdateChoice::Download); });
    connect(m_remindLater, &QPushButton::clicked, this, [this] { choose(UpdateChoice::RemindLater); });
    connect(m_skip, &QPushButton::clicked, this, [this] { choose(UpdateChoice::Skip); });
    connect(this, &QDialog::finished, this, [this] { Q_EMIT choiceMade(m_choice); });
    // Input reaches the window's children first; watching the application sees all of it.
    QCoreApplication::instance()->installEventFilter(this);
}

QString UpdateAlert::headingText() const
{
    return m_heading->text();
}

QString UpdateAlert::informativeText() const
{
    return m_informative->text();
}

bool UpdateAlert::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == this)
            Q_EMIT attended();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void UpdateAlert::choose(UpdateChoice choice)
{
    m_choice = choice;
    accept();
}

} // namespace kavri
