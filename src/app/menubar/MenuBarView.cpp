// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuBarView.h"

#include <QDragEnterEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "LastCapturedSection.h"
#include "MenuRow.h"
#include "app/AppRootCoordinator.h"
#include "app/AppTexts.h"
#include "app/import/ImportMenuHelper.h"
#include "capture/KavriCore.h"
#include "content/ContentKinds.h"
#include "platform/AppInfo.h"
#include "platform/SymbolImage.h"
#include "shortcuts/KeyboardShortcuts.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int padding = 12;

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QString hintFor(const KeyboardShortcuts::Registry &shortcuts, const KeyboardShortcuts::Name &name)
{
    const std::optional<KeyboardShortcuts::Shortcut> shortcut = shortcuts.getShortcut(name);
    return shortcut ? shortcut->description() : QString();
}

} // namespace

MenuBarView::MenuBarView(
    AppRootCoordinator &coordinator, KeyboardShortcuts::Registry &shortcuts, MenuBarActions actions, QWidget *parent)
    : QWidget(parent)
    , m_coordinator(coordinator)
    , m_shortcuts(shortcuts)
    , m_actions(std::move(actions))
    , m_captureText(new MenuRow(u"viewfinder"_s, AppTexts::captureText.toString(), this))
    , m_captureQR(new MenuRow(u"qrcode.viewfinder"_s, AppTexts::captureQRCode.toString(), this))
    , m_import(new MenuRow(u"square.and.arrow.down"_s, AppTexts::MenuBar::import.toString(), this))
    , m_lastCaptured(new LastCapturedSection(this))
    , m_settings(new MenuRow(u"gear"_s, AppTexts::MenuBar::settings.toString(), this))
    , m_quit(new MenuRow(u"power"_s, AppTexts::quitKavri.toString(), this))
    , m_gear(new QToolButton(this))
    , m_gearMenu(new QMenu(this))
{
    setFixedWidth(contentWidth + 2 * padding);
    setAcceptDrops(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget *widget : { static_cast<QWidget *>(m_captureText), static_cast<QWidget *>(m_captureQR),
             static_cast<QWidget *>(m_import), static_cast<QWidget *>(m_lastCaptured) }) {
        widget->setFixedWidth(contentWidth);
        layout->addWidget(widget);
    }
    layout->addWidget(divider(this));
    m_settings->setFixedWidth(contentWidth);
    layout->addWidget(m_settings);
    layout->addWidget(divider(this));

    auto *bottomBar = new QHBoxLayout;
    bottomBar->setSpacing(8);
    bottomBar->addWidget(m_quit, 1);
    bottomBar->addStretch();
    m_gear->setIcon(SymbolImage::icon(u"gearshape"_s, palette().color(QPalette::WindowText)));
    m_gear->setIconSize(QSize(18, 18));
    m_gear->setAutoRaise(true);
    m_gear->setFocusPolicy(Qt::NoFocus);
    m_gear->setPopupMode(QToolButton::InstantPopup);
    m_gear->setMenu(m_gearMenu);
    m_gear->setStyleSheet(u"QToolButton { border: none; } QToolButton::menu-indicator { image: none; width: 0; }"_s);
    m_gear->setAccessibleName(u"Gear"_s);
    bottomBar->addWidget(m_gear);
    layout->addLayout(bottomBar);

    const QString commandComma = QKeySequence(Qt::CTRL | Qt::Key_Comma).toString(QKeySequence::NativeText);
    const QString commandQ = QKeySequence(Qt::CTRL | Qt::Key_Q).toString(QKeySequence::NativeText);
    m_settings->setHint(commandComma);
    m_quit->setHint(commandQ);
    m_import->setTrailingSymbol(u"chevron.right"_s);
    buildGearMenu();

    connect(m_captureText, &QAbstractButton::clicked, this, [this] { activate(FocusedItem::captureText); });
    connect(m_captureQR, &QAbstractButton::clicked, this, [this] { activate(FocusedItem::captureQR); });
    connect(m_import, &QAbstractButton::clicked, this, [this] { openImportMenu(true); });
    connect(m_settings, &QAbstractButton::clicked, this, [this] { activate(FocusedItem::settings); });
    connect(m_quit, &QAbstractButton::clicked, this, [this] { activate(FocusedItem::quit); });
    // Ctrl+, is the application's own shortcut for the settings; Quit has its own here.
    auto *quitShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quitShortcut, &QShortcut::activated, this, [this] { activate(FocusedItem::quit); });

    connect(m_lastCaptured, &LastCapturedSection::textTapped, this,
        [this] { thenClose([this] { m_coordinator.showLastResult(); }); });

    // The coordinator announces a change before the new capture is in place.
    connect(&m_coordinator, &AppRootCoordinator::objectWillChange, this,
        [this] { QTimer::singleShot(0, this, &MenuBarView::refresh); });
    connect(&m_coordinator.kavriService(), &KavriCore::capturingChanged, this, &MenuBarView::refresh);
    connect(&m_shortcuts, &KeyboardShortcuts::Registry::shortcutByNameDidChange, this, &MenuBarView::refreshHints);
    refresh();
}

MenuRow &MenuBarView::row(FocusedItem item) const
{
    switch (item) {
    case FocusedItem::captureText:
        return *m_captureText;
    case FocusedItem::captureQR:
        return *m_captureQR;
    case FocusedItem::captureImport:
        return *m_import;
    case FocusedItem::settings:
        return *m_settings;
    case FocusedItem::quit:
        break;
    }
    return *m_quit;
}

QMenu &MenuBarView::moreMenu() const
{
    return m_lastCaptured->moreMenu();
}

void MenuBarView::windowShown()
{
    setFocusedItem(std::nullopt);
    m_keyboardMonitor.start([this](const QKeyEvent &event) { return handleKey(event); });
    refresh();
}

void MenuBarView::windowHidden()
{
    m_keyboardMonitor.stop();
}

// Only the key counts: Shift+Down moves like Down.
bool MenuBarView::handleKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Down:
        setFocusedItem(moveFocus(m_focusedItem, true));
        return true;
    case Qt::Key_Up:
        setFocusedItem(moveFocus(m_focusedItem, false));
        return true;
    case Qt::Key_Escape:
        dismiss();
        return true;
    case Qt::Key_Return:
        activate(m_focusedItem);
        return true;
    default:
        return false;
    }
}

void MenuBarView::setFocusedItem(std::optional<FocusedItem> item)
{
    m_focusedItem = item;
    for (const FocusedItem each : { FocusedItem::captureText, FocusedItem::captureQR, FocusedItem::captureImport,
             FocusedItem::settings, FocusedItem::quit })
        row(each).setMarked(item == each || (each == FocusedItem::captureImport && m_isImportMenuOpen));
}

// Return reaches the capture rows also while a capture runs; the capture service ignores it then.
void MenuBarView::activate(std::optional<FocusedItem> item)
{
    if (!item)
        return;
    switch (*item) {
    case FocusedItem::captureText:
        closeThen([this] { m_coordinator.captureText(); });
        break;
    case FocusedItem::captureQR:
        closeThen([this] { m_coordinator.captureQRCode(); });
        break;
    case FocusedItem::captureImport:
        openImportMenu(false);
        break;
    case FocusedItem::settings:
        closeThen([this] {
            if (m_actions.showSettings)
                m_actions.showSettings(QString());
        });
        break;
    case FocusedItem::quit:
        if (m_actions.quit)
            m_actions.quit();
        break;
    }
}

void MenuBarView::openImportMenu(bool fromTap)
{
    if (!m_actions.showImportMenu)
        return;
    m_isImportMenuOpen = true;
    if (fromTap)
        m_import->setAttribute(Qt::WA_UnderMouse, false);
    setFocusedItem(m_focusedItem);
    // Next turn of the event loop, so that the click that opened it has finished.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            m_actions.showImportMenu(m_import->mapToGlobal(m_import->rect().bottomRight()));
        m_isImportMenuOpen = false;
        setFocusedItem(m_focusedItem);
    });
}

void MenuBarView::refresh()
{
    const KavriCore &service = m_coordinator.kavriService();
    m_captureText->setEnabled(!service.isCapturing());
    m_captureQR->setEnabled(!service.isCapturing());
    refreshHints();
    const std::optional<ParsedContent> &content = service.lastParsedContent();
    m_lastCaptured->setVisible(content.has_value());
    if (content) {
        m_lastCaptured->setText(content->formattedText());
        rebuildMoreMenu();
    }
    adjustSize();
    Q_EMIT contentChanged();
}

void MenuBarView::refreshHints()
{
    m_captureText->setHint(hintFor(m_shortcuts, KeyboardShortcuts::Names::captureScreen()));
    m_captureQR->setHint(hintFor(m_shortcuts, KeyboardShortcuts::Names::captureQRCode()));
}

void MenuBarView::rebuildMoreMenu()
{
    QMenu &menu = moreMenu();
    menu.clear();
    const std::optional<ParsedContent> &content = m_coordinator.kavriService().lastParsedContent();
    if (!content)
        return;
    const auto addAction = [this, &menu](const QString &title, const QString &actionId) {
        menu.addAction(title, this, [this, actionId] {
            thenClose([this, actionId] {
                const std::optional<ParsedContent> &current = m_coordinator.kavriService().lastParsedContent();
                if (current && m_actions.performAction)
                    m_actions.performAction(actionId, *current);
            });
        });
    };
    if (const std::optional<ContentAction> primary = content->primaryAction()) {
        if (const ContentAction::Button *button = primary->asButton())
            addAction(button->title, button->action);
        else if (const ContentAction::Menu *choices = primary->asMenu()) {
            for (const ActionMenuItem &item : choices->items)
                addAction(item.title, item.id);
        }
    }
    if (const auto *wifi = content->as<WiFiContent>()) {
        menu.addAction(wifi->ssid())->setEnabled(false);
        if (wifi->encryptionType() != u"nopass")
            menu.addAction(AppTexts::MenuBar::copyPassword.toString(), this,
                [this] { thenClose([this] { m_coordinator.copyWiFiPassword(); }); });
    }
    menu.addSeparator();
    menu.addAction(AppTexts::MenuBar::copyToClipboard.toString(), this, [this] {
        thenClose([this] {
            if (m_actions.copyText)
                m_actions.copyText(m_coordinator.kavriService().lastRecognizedText());
        });
    });
    menu.addAction(AppTexts::MenuBar::showPopup.toString(), this,
        [this] { thenClose([this] { m_coordinator.showLastResult(); }); });
    menu.addAction(
        AppTexts::MenuBar::clear.toString(), this, [this] { thenClose([this] { m_coordinator.clearLastCapture(); }); });
}

void MenuBarView::buildGearMenu()
{
    const QColor ink = palette().color(QPalette::WindowText);
    m_gearMenu->addAction(SymbolImage::icon(u"arrow.triangle.2.circlepath"_s, ink),
        AppTexts::MenuBar::checkForUpdates.toString(), this, [this] {
            if (m_actions.checkForUpdates)
                m_actions.checkForUpdates();
        });
    m_gearMenu->addSeparator();
    m_gearMenu->addAction(
        SymbolImage::icon(u"info.circle"_s, ink), AppTexts::MenuBar::aboutKavri.toString(), this, [this] {
            closeThen([this] {
                if (m_actions.showSettings)
                    m_actions.showSettings(u"about"_s);
            });
        });
    QMenu *support
        = m_gearMenu->addMenu(SymbolImage::icon(u"questionmark.circle"_s, ink), AppTexts::MenuBar::support.toString());
    const auto open = [this](const QUrl &url) {
        if (m_actions.openUrl && url.isValid())
            m_actions.openUrl(url);
    };
    support->addAction(SymbolImage::icon(u"globe"_s, ink), AppTexts::MenuBar::visitWebsite.toString(), this,
        [open] { open(AppInfo::websiteURL()); });
    support->addAction(SymbolImage::icon(u"questionmark.circle"_s, ink), AppTexts::MenuBar::faq.toString(), this,
        [open] { open(AppInfo::faqURL()); });
    support->addAction(
        SymbolImage::icon(u"envelope"_s, ink), AppTexts::MenuBar::contact.toString(), this, [this, open] {
            if (!m_actions.feedbackMailURL)
                return;
            if (const std::optional<QUrl> url = m_actions.feedbackMailURL())
                open(*url);
        });
}

void MenuBarView::dismiss()
{
    if (m_dismiss)
        m_dismiss();
}

void MenuBarView::closeThen(const std::function<void()> &work)
{
    dismiss();
    work();
}

void MenuBarView::thenClose(const std::function<void()> &work)
{
    work();
    dismiss();
}

void MenuBarView::dragEnterEvent(QDragEnterEvent *event)
{
    if (ImportMenuHelper::imageFileIn(event->mimeData()))
        event->acceptProposedAction();
}

void MenuBarView::dropEvent(QDropEvent *event)
{
    const std::optional<QString> path = ImportMenuHelper::imageFileIn(event->mimeData());
    if (!path || !m_actions.importFile)
        return;
    event->acceptProposedAction();
    thenClose([this, file = *path] { m_actions.importFile(file); });
}

} // namespace kavri
