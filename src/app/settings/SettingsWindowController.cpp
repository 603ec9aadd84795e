// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsWindowController.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>

#include "AboutSettingsPane.h"
#include "GeneralSettingsPane.h"
#include "PrivacySettingsPane.h"
#include "RecognitionSettingsPane.h"
#include "SettingsTexts.h"
#include "ShortcutsSettingsPane.h"
#include "UpdatesSettingsPane.h"
#include "platform/SymbolImage.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

SettingsWindowController::SettingsWindowController(Dependencies dependencies, QObject *parent)
    : QObject(parent)
    , m_dependencies(std::move(dependencies))
{ }

SettingsWindowController::~SettingsWindowController()
{
    if (m_window)
        m_window->removeEventFilter(this);
}

QList<KeyboardShortcuts::Recorder::MenuAction> SettingsWindowController::kavriMenuActions()
{
    return {
        { QKeyCombination(Qt::ControlModifier, Qt::Key_Comma), SettingsTexts::settingsAction.toString() },
        { QKeyCombination(Qt::ControlModifier, Qt::Key_Q), SettingsTexts::quitAction.toString() },
    };
}

QMainWindow *SettingsWindowController::window()
{
    if (!m_window)
        build();
    return m_window.get();
}

QWidget *SettingsWindowController::pane(QStringView identifier)
{
    window();
    for (const PaneEntry &entry : std::as_const(m_panes))
        if (entry.identifier == identifier)
            return entry.content;
    return nullptr;
}

QString SettingsWindowController::selectedPane() const
{
    return m_selected < 0 ? QString() : m_panes.at(m_selected).identifier.toString();
}

void SettingsWindowController::build()
{
    m_window = std::make_unique<QMainWindow>(
        nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_window->setObjectName(u"KavriSettings"_s);
    m_window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_stack = new QStackedWidget;
    m_window->setCentralWidget(m_stack);

    SettingsViewModel &model = m_dependencies.viewModel;
    auto *toolbar = new QToolBar;
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setEnabled(false);
    m_window->addToolBar(Qt::TopToolBarArea, toolbar);
    auto *group = new QActionGroup(toolbar);

    const std::tuple<QStringView, QStringView, QString, QWidget *> panes[] = {
        { SettingsPane::general, SettingsTexts::general, u"gear"_s,
            new GeneralSettingsPane(model, m_dependencies.launchAtLogin) },
        { SettingsPane::shortcuts, SettingsTexts::shortcuts, u"command"_s,
            new ShortcutsSettingsPane(m_dependencies.shortcuts, m_dependencies.menuActions, m_dependencies.hotKeys) },
        { SettingsPane::recognition, SettingsTexts::recognition, u"text.viewfinder"_s,
            new RecognitionSettingsPane(model, m_dependencies.languages) },
        { SettingsPane::updates, SettingsTexts::updates, u"arrow.triangle.2.circlepath"_s,
            new UpdatesSettingsPane(model) },
        { SettingsPane::privacy, SettingsTexts::privacy, u"hand.raised"_s, new PrivacySettingsPane(model) },
        { SettingsPane::about, SettingsTexts::about, u"info.circle"_s, new AboutSettingsPane(model) },
    };
    for (const auto &[identifier, title, symbol, content] : panes) {
        auto *action = toolbar->addAction(SymbolImage::icon(symbol), title.toString());
        action->setCheckable(true);
        action->setToolTip(title.toString());
        group->addAction(action);
        const int index = int(m_panes.size());
        connect(action, &QAction::triggered, this, [this, index] { select(index); });
        m_stack->addWidget(content);
        m_panes.append({ identifier, title, symbol, content, action });
    }
    // One pane needs no toolbar.
    toolbar->setVisible(m_panes.size() > 1);
    m_window->installEventFilter(this);
}

void SettingsWindowController::select(int index)
{
    m_selected = index;
    const PaneEntry &entry = m_panes.at(index);
    entry.action->setChecked(true);
    m_stack->setCurrentWidget(entry.content);
    m_window->setWindowTitle(entry.title.toString());
}

void SettingsWindowController::show(const std::optional<QString> &pane)
{
    window();
    if (pane) {
        const auto found = std::find_if(
            m_panes.cbegin(), m_panes.cend(), [&pane](const PaneEntry &entry) { return entry.identifier == *pane; });
        select(found == m_panes.cend() ? 0 : int(found - m_panes.cbegin()));
    } else if (m_selected < 0) {
        select(0);
    }
    if (!m_window->isVisible()) {
        m_window->adjustSize();
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            m_window->move(screen->availableGeometry().center() - m_window->rect().center());
        restoreFrame();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool SettingsWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.get() && !m_restoring) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window->isVisible())
                saveFrame();
            break;
        case QEvent::Hide:
            saveFrame();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void SettingsWindowController::saveFrame() const
{
    const QString frame = QString::fromLatin1(m_window->saveGeometry().toBase64());
    const auto stored = m_dependencies.frameStore.object(frameKey.toString());
    if (const QString *previous = std::get_if<QString>(&stored); previous && *previous == frame)
        return;
    m_dependencies.frameStore.set(frameKey.toString(), frame);
}

void SettingsWindowController::restoreFrame()
{
    const auto stored = m_dependencies.frameStore.object(frameKey.toString());
    const QString *frame = std::get_if<QString>(&stored);
    if (!frame)
        return;
    // Qt moves a frame from a screen that is gone back onto one that is there.
    m_restoring = true;
    m_window->restoreGeometry(QByteArray::fromBase64(frame->toLatin1()));
    m_restoring = false;
}

} // namespace kavri
