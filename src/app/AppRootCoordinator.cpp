// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppRootCoordinator.h"

#include <QPointer>

#include "AppTexts.h"
#include "capture/KavriCore.h"
#include "content/ContentKinds.h"
#include "platform/Log.h"
#include "platform/Pasteboard.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QStringView flashSuccess = u"checkmark.circle.fill";
constexpr QStringView flashError = u"exclamationmark.circle";
constexpr QStringView flashCancelled = u"xmark.circle";
constexpr QStringView flashNothingFound = u"questionmark.circle";

// The permission card links to the desktop's settings where Kavri knows the way there.
std::optional<ParsedContent> permissionContent()
{
    const auto url = Workspace::screenCaptureSettingsUrl();
    if (!url)
        return std::nullopt;
    return ParsedContent(URLContent(QString(), { *url }));
}

} // namespace

AppRootCoordinator::AppRootCoordinator(KavriCore &kavriService, AppSettings &settings,
    KeyboardShortcuts::Registry &shortcuts, Pasteboard &pasteboard, ShowPopup showPopup,
    std::chrono::milliseconds flashDuration, QObject *parent)
    : QObject(parent)
    , m_kavriService(kavriService)
    , m_settings(settings)
    , m_pasteboard(pasteboard)
    , m_showPopup(std::move(showPopup))
{
    m_iconFlash.setSingleShot(true);
    m_iconFlash.setInterval(flashDuration);
    // Back to rest in the style stored now, whatever the coordinator last saw.
    connect(&m_iconFlash, &QTimer::timeout, this, [this] {
        setMenuBarIcon(
            MenuBarIconStyles::defaultSymbolName(m_settings.menuBarIconStyle()).toString(), m_menuBarIconStyle);
    });

    m_kavriService.setDelegate(this);

    namespace Names = KeyboardShortcuts::Names;
    // The handlers outlive nothing: the registry and the coordinator both live until exit, and a
    // handler finds a dead coordinator harmless.
    const QPointer<AppRootCoordinator> self(this);
    const std::pair<const KeyboardShortcuts::Name &, void (AppRootCoordinator::*)()> bindings[] = {
        { Names::toggleMenu(), &AppRootCoordinator::toggleMenu },
        { Names::captureScreen(), &AppRootCoordinator::captureText },
        { Names::captureQRCode(), &AppRootCoordinator::captureQRCode },
    };
    for (const auto &binding : bindings) {
        shortcuts.create(binding.first);
        shortcuts.onKeyUp(binding.first, [self, operation = binding.second, name = binding.first.rawValue] {
            qCInfo(lcMain, "Shortcut %ls released", qUtf16Printable(name));
            if (self)
                (self->*operation)();
        });
    }

    const MenuBarIconStyle style = m_settings.menuBarIconStyle();
    setMenuBarIcon(MenuBarIconStyles::defaultSymbolName(style).toString(), style);
    connect(&m_settings, &AppSettings::changed, this, [this](AppSettings::Key key) {
        if (key != AppSettings::Key::menuBarIconStyle)
            return;
        // A new style ends a flash at once.
        m_iconFlash.stop();
        const MenuBarIconStyle newStyle = m_settings.menuBarIconStyle();
        setMenuBarIcon(MenuBarIconStyles::defaultSymbolName(newStyle).toString(), newStyle);
    });
}

void AppRootCoordinator::setMenuBarIcon(const QString &symbolName, MenuBarIconStyle style)
{
    m_menuBarIcon = symbolName;
    m_menuBarIconStyle = style;
    Q_EMIT menuBarIconChanged();
}

void AppRootCoordinator::captureText()
{
    m_kavriService.captureText();
}

void AppRootCoordinator::captureQRCode()
{
    m_kavriService.captureQRCode();
}

void AppRootCoordinator::toggleMenu()
{
    if (m_toggleMenuHandler)
        m_toggleMenuHandler();
}

void AppRootCoordinator::flashIcon(const QString &symbolName)
{
    setMenuBarIcon(symbolName, m_menuBarIconStyle);
    m_iconFlash.start();
}

void AppRootCoordinator::handleCaptureResult(const CaptureResult &result)
{
    Q_EMIT objectWillChange();
    const bool popupsWanted = m_settings.showResultPopup();
    struct Reaction
    {
        QStringView symbol;
        QString text;
        PopupType type;
        std::optional<ParsedContent> content;
        bool always = false;
    };
    const Reaction reaction = std::visit(
        [](const auto &value) -> Reaction {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, CaptureResult::Success>)
                return { flashSuccess, value.text, PopupType::success, value.parsedContent };
            else if constexpr (std::is_same_v<T, CaptureResult::QRCodeFound>)
                return { flashSuccess, value.payload, PopupType::qrCode, value.parsedContent };
            else if constexpr (std::is_same_v<T, CaptureResult::Error>)
                return { flashError, value.message, PopupType::error, std::nullopt, true };
            else if constexpr (std::is_same_v<T, CaptureResult::Cancelled>)
                return { flashCancelled, AppTexts::nothingCaptured.toString(), PopupType::cancelled, std::nullopt };
            else if constexpr (std::is_same_v<T, CaptureResult::NoTextFound>)
                return { flashNothingFound, AppTexts::noTextFound.toString(), PopupType::noTextFound, std::nullopt };
            else if constexpr (std::is_same_v<T, CaptureResult::NoQRCodeFound>)
                return { flashNothingFound, AppTexts::noQRCodeFound.toString(), PopupType::noQRCodeFound,
                    std::nullopt };
            else
                return { flashError, AppTexts::permissionPopup(), PopupType::permissionDenied, permissionContent(),
                    true };
        },
        result.value());

    static constexpr const char *kinds[] = { "success", "QR code found", "error", "cancelled", "no text found",
        "no QR code found", "permission denied" };
    qCInfo(lcMain, "Capture finished: %s", kinds[result.value().index()]);
    flashIcon(reaction.symbol.toString());
    if ((reaction.always || popupsWanted) && m_showPopup)
        m_showPopup(reaction.text, reaction.type, reaction.content);
}

void AppRootCoordinator::copyWiFiPassword()
{
    const auto &content = m_kavriService.lastParsedContent();
    const WiFiContent *wifi = content ? content->as<WiFiContent>() : nullptr;
    if (!wifi || !wifi->password())
        return;
    m_pasteboard.clearContents();
    m_pasteboard.setString(*wifi->password());
}

void AppRootCoordinator::showLastResult()
{
    const auto &content = m_kavriService.lastParsedContent();
    if (!content)
        return;
    m_pasteboard.clearContents();
    m_pasteboard.setString(content->clipboardText().value_or(m_kavriService.lastRecognizedText()));
    if (m_showPopup)
        m_showPopup(m_kavriService.lastRecognizedText(),
            content->isStructured() ? PopupType::qrCode : PopupType::success, content);
}

void AppRootCoordinator::clearLastCapture()
{
    m_kavriService.clearLastResult();
    m_pasteboard.clearContents();
    Q_EMIT objectWillChange();
}

} // namespace kavri
