// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultPopupView.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include "ResultPopupController.h"
#include "ResultPopupViewModel.h"
#include "SelectableText.h"
#include "content/ContentTexts.h"
#include "platform/SymbolImage.h"
#include "platform/Workspace.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int closePadding = 12;
constexpr int closeIconSize = 22;
constexpr int compactSymbolSize = 64;
constexpr int detailedSymbolSize = 48;
constexpr int fieldSymbolColumn = 20;
constexpr int fieldSymbolSize = 15;
constexpr int captionSymbolSize = 12;
constexpr int contentPadding = 16;

QFont scaled(QFont font, qreal factor, QFont::Weight weight = QFont::Normal)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(qRound(font.pixelSize() * factor));
    font.setWeight(weight);
    return font;
}

QFont headline(const QFont &base)
{
    return scaled(base, 1.15, QFont::DemiBold);
}

QFont caption(const QFont &base)
{
    return scaled(base, 0.85);
}

// Platforms without a desktop theme answer the fixed font with the general one.
QFont monospaced()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font == QFontDatabase::systemFont(QFontDatabase::GeneralFont)) {
        font.setFamilies({ u"monospace"_s });
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

// Titles that come from a payload (links in a menu) may hold "&", which would become a mnemonic.
QString buttonText(const QString &text)
{
    return QString(text).replace(u'&', u"&&"_s);
}

QLabel *plainLabel(const QString &text, const QString &objectName)
{
    auto *label = new QLabel(text);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ResultPopupView::ResultPopupView(QString text, PopupType type, std::optional<ParsedContent> parsedContent,
    ResultPopupViewModel *viewModel, QWidget *parent)
    : QWidget(parent)
    , m_text(std::move(text))
    , m_type(type)
    , m_parsedContent(std::move(parsedContent))
    , m_viewModel(viewModel)
{
    const PopupStyle style = popupStyle(m_type, palette());
    if (style.layout == PopupLayout::compact)
        buildCompact(style);
    else
        buildDetailed(style);

    m_closeButton = new QToolButton(this);
    m_closeButton->setObjectName(u"closeButton"_s);
    m_closeButton->setAutoRaise(true);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    const QIcon closeIcon = SymbolImage::icon(PopupSymbols::close.toString(), secondaryColor(palette()));
    if (closeIcon.isNull()) {
        // Without the icon set a plain cross still lets the user close the card.
        m_closeButton->setText(u"\u00d7"_s);
        m_closeButton->setFont(scaled(font(), 1.6));
    } else {
        m_closeButton->setIcon(closeIcon);
        m_closeButton->setIconSize(QSize(closeIconSize, closeIconSize));
    }
    m_closeButton->adjustSize();
    m_closeButton->raise();
    connect(m_closeButton, &QToolButton::clicked, this, &ResultPopupView::dismiss);
}

void ResultPopupView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_closeButton->move(width() - closePadding - m_closeButton->width(), closePadding);
}

void ResultPopupView::buildCompact(const PopupStyle &style)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(contentPadding, contentPadding, contentPadding, contentPadding);
    layout->setSpacing(12);
    layout->addStretch();
    layout->addWidget(symbolLabel(style.symbol, compactSymbolSize, style.color), 0, Qt::AlignHCenter);
    layout->addWidget(titleLabel(style.title), 0, Qt::AlignHCenter);
    if (m_type == PopupType::error && !m_text.isEmpty()) {
        QLabel *message = plainLabel(m_text, u"message"_s);
        message->setWordWrap(true);
        message->setAlignment(Qt::AlignCenter);
        message->setFont(scaled(font(), 0.95));
        message->setContentsMargins(contentPadding, 0, contentPadding, 0);
        setTextColor(message, secondaryColor(palette()));
        layout->addWidget(message);
    }
    layout->addStretch();
}

void ResultPopupView::buildDetailed(const PopupStyle &style)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(contentPadding, contentPadding, contentPadding, contentPadding);
    layout->setSpacing(12);
    auto *header = new QVBoxLayout;
    header->setSpacing(8);
    header->addWidget(symbolLabel(style.symbol, detailedSymbolSize, style.color), 0, Qt::AlignHCenter);
    header->addWidget(titleLabel(style.title), 0, Qt::AlignHCenter);
    layout->addLayout(header);
    layout->addWidget(body(), 1);
    if (QBoxLayout *row = footer())
        layout->addLayout(row);
}

QLabel *ResultPopupView::symbolLabel(const QString &symbol, int size, const QColor &color)
{
    auto *label = new QLabel;
    label->setObjectName(u"symbol"_s);
    label->setFixedSize(size, size);
    const QPixmap pixmap = SymbolImage::pixmap(symbol, size, color, devicePixelRatioF());
    label->setPixmap(pixmap);
    // An icon the set lacks leaves no empty square behind.
    label->setVisible(!pixmap.isNull());
    return label;
}

QLabel *ResultPopupView::titleLabel(const QString &title)
{
    QLabel *label = plainLabel(title, u"title"_s);
    label->setFont(headline(font()));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QWidget *ResultPopupView::body()
{
    auto *scroll = new QScrollArea;
    scroll->setObjectName(u"body"_s);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->viewport()->setAutoFillBackground(false);

    auto *contents = new QWidget;
    auto *rows = new QVBoxLayout(contents);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(8);
    // Read once: computed kinds make new field ids on every read.
    const QList<ContentField> fields
        = m_type == PopupType::qrCode && m_parsedContent ? m_parsedContent->fields() : QList<ContentField>();
    if (fields.isEmpty()) {
        auto *text = new SelectableText(m_text);
        text->setObjectName(u"bodyText"_s);
        text->setFont(monospaced());
        rows->addWidget(text);
    } else {
        for (const ContentField &field : fields)
            rows->addWidget(fieldRow(field));
    }
    rows->addStretch();
    scroll->setWidget(contents);
    // setWidget() turns the background on; the card's own shows through instead.
    contents->setAutoFillBackground(false);
    return scroll;
}

QWidget *ResultPopupView::fieldRow(const ContentField &field)
{
    auto *row = new QWidget;
    row->setObjectName(u"fieldRow"_s);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    auto *symbol = new QLabel;
    symbol->setObjectName(u"fieldSymbol"_s);
    symbol->setFixedWidth(fieldSymbolColumn);
    symbol->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    symbol->setPixmap(
        SymbolImage::pixmap(field.symbol, fieldSymbolSize, secondaryColor(palette()), devicePixelRatioF()));
    // Level with the first line of the value.
    symbol->setContentsMargins(0, std::max(0, (fontMetrics().lineSpacing() - fieldSymbolSize) / 2), 0, 0);
    layout->addWidget(symbol, 0, Qt::AlignTop);

    auto *value = new SelectableText(field.value);
    value->setObjectName(u"fieldValue"_s);
    layout->addWidget(value, 1, Qt::AlignTop);
    return row;
}

QBoxLayout *ResultPopupView::footer()
{
    if (m_type == PopupType::permissionDenied) {
        QWidget *button = settingsButton();
        if (!button)
            return nullptr;
        auto *row = new QHBoxLayout;
        row->addWidget(button);
        row->addStretch();
        return row;
    }
    if (m_type != PopupType::success && m_type != PopupType::qrCode)
        return nullptr;

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    QLabel *copied
        = plainLabel(m_parsedContent ? m_parsedContent->clipboardMessage() : ContentTexts::copiedToClipboard.toString(),
            u"copyConfirmation"_s);
    copied->setFont(caption(font()));
    copied->setWordWrap(true);
    setTextColor(copied, secondaryColor(palette()));
    row->addWidget(copied, 1);
    if (m_parsedContent)
        if (const std::optional<ContentAction> action = m_parsedContent->primaryAction())
            row->addWidget(actionControl(*action));
    return row;
}

QWidget *ResultPopupView::actionControl(const ContentAction &action)
{
    const QIcon icon = SymbolImage::icon(action.symbol(), palette().color(QPalette::ButtonText));
    if (const ContentAction::Button *button = action.asButton()) {
        auto *push = new QPushButton(icon, buttonText(button->title));
        push->setObjectName(u"actionButton"_s);
        push->setIconSize(QSize(captionSymbolSize, captionSymbolSize));
        connect(push, &QPushButton::clicked, this, [this, id = button->action] { perform(id); });
        return push;
    }
    const ContentAction::Menu *menu = action.asMenu();
    auto *tool = new QToolButton;
    tool->setObjectName(u"actionMenu"_s);
    tool->setAutoRaise(true);
    tool->setPopupMode(QToolButton::InstantPopup);
    tool->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tool->setText(buttonText(menu->title));
    tool->setIcon(icon);
    tool->setIconSize(QSize(captionSymbolSize, captionSymbolSize));
    auto *entries = new QMenu(tool);
    for (const ActionMenuItem &item : menu->items) {
        QAction *entry = entries->addAction(buttonText(item.title));
        // After the menu has closed, so that an alert does not open inside the menu's own loop.
        connect(entry, &QAction::triggered, this, [this, id = item.id] {
            QMetaObject::invokeMethod(
                this, [this, id] { perform(id); }, Qt::QueuedConnection);
        });
    }
    tool->setMenu(entries);
    return tool;
}

QWidget *ResultPopupView::settingsButton()
{
    const URLContent *link = m_parsedContent ? m_parsedContent->as<URLContent>() : nullptr;
    if (!link || link->urls().isEmpty())
        return nullptr;
    const QIcon icon = SymbolImage::icon(PopupSymbols::settings.toString(), palette().color(QPalette::ButtonText));
    auto *button = new QPushButton(icon, PopupTexts::openSystemSettings.toString());
    button->setObjectName(u"settingsButton"_s);
    button->setIconSize(QSize(captionSymbolSize, captionSymbolSize));
    // The card stays: the user comes back to it after granting access.
    connect(button, &QPushButton::clicked, this, [url = link->urls().first()] { Workspace::openUrl(url); });
    return button;
}

void ResultPopupView::perform(const QString &actionId)
{
    ResultPopupController *controller = m_viewModel ? m_viewModel->controller() : nullptr;
    // A choice that arrives after the card was replaced belongs to no card on screen.
    if (controller && m_parsedContent && controller->popupWindow() == window())
        controller->performAction(actionId, *m_parsedContent);
}

void ResultPopupView::dismiss()
{
    if (ResultPopupController *controller = m_viewModel ? m_viewModel->controller() : nullptr)
        controller->dismissAnimated();
}

} // namespace kavri
