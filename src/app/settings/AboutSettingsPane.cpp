// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutSettingsPane.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "SettingsForm.h"
#include "SettingsTexts.h"
#include "SettingsViewModel.h"
#include "platform/AppInfo.h"
#include "platform/SymbolImage.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QLabel *centredLabel(const QString &text, qreal scale, bool bold, bool secondary)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    if (secondary) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
        label->setPalette(palette);
    }
    return label;
}

QString readCredits(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

AboutSettingsPane::AboutSettingsPane(SettingsViewModel &model, const QString &creditsPath, QWidget *parent)
    : QWidget(parent)
    , m_credits(new QTextBrowser)
    , m_website(new QPushButton(SettingsTexts::visitWebsite.toString()))
{
    setFixedSize(SettingsForm::paneWidth, 450);
    auto *column = new QVBoxLayout(this);
    column->setSpacing(12);

    auto *icon = new QLabel;
    icon->setPixmap(SymbolImage::namedImage(u"AppIconVibrant"_s).pixmap(QSize(64, 64), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(SettingsTexts::kavri.toString());
    column->addWidget(icon);
    column->addWidget(centredLabel(SettingsTexts::kavri.toString(), 2.0, true, false));
    column->addWidget(centredLabel(SettingsTexts::subtitle(), 1.25, false, true));
    column->addWidget(centredLabel(SettingsTexts::version + AppInfo::appVersion(), 0.85, false, true));

    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    m_credits->setFixedHeight(200);
    m_credits->setReadOnly(true);
    m_credits->setOpenExternalLinks(true);
    m_credits->setFrameShape(QFrame::NoFrame);
    m_credits->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setLineWrapMode(QTextEdit::WidgetWidth);
    m_credits->viewport()->setAutoFillBackground(false);
    m_credits->document()->setDocumentMargin(8);
    m_credits->setHtml(readCredits(creditsPath));
    column->addWidget(m_credits);

    column->addWidget(m_website, 0, Qt::AlignHCenter);
    connect(m_website, &QPushButton::clicked, &model, &SettingsViewModel::openWebsite);
}

} // namespace kavri
