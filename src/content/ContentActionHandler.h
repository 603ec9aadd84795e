// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <variant>

#include <QString>
#include <QUrl>

#include "ParsedContent.h"

namespace kavri {

// Two strings for a warning alert.
struct ActionFailure
{
    QString title;
    QString message;
    friend bool operator==(const ActionFailure &, const ActionFailure &) = default;
};

// The outcome of one action: done at once, continuing in a window of its own (the completion
// reports later), or failed.
struct ActionResult
{
    struct Success
    { };
    struct Async
    { };
    std::variant<Success, Async, ActionFailure> value;

    bool isFailure() const { return std::holds_alternative<ActionFailure>(value); }
    const ActionFailure *failure() const { return std::get_if<ActionFailure>(&value); }
};

// The outcome of saving a contact card, reported through the completion: none is success.
using VCardResult = std::optional<ActionFailure>;
using ActionCompletion = std::function<void(const VCardResult &)>;

// What actions do to the world outside Kavri. The application passes the desktop's real services;
// each is one call, so tests can stand in where no desktop can answer (a save dialog).
class ActionEnvironment
{
public:
    virtual ~ActionEnvironment() = default;
    // Hands the URL (http, https, ftp, mailto, tel, sms) or a local file to its default handler.
    virtual void openUrl(const QUrl &url) = 0;
    virtual void setClipboardText(const QString &text) = 0;
    // Whether an application would open links of \a scheme ("tel", "sms"); true when unknown.
    virtual bool canOpenScheme(const QString &scheme) const = 0;
    // A folder only the user can enter, where a contact card is written before it is opened;
    // empty when there is none.
    virtual QString contactFolder() const = 0;
    // Asks the user where to save a vCard, proposing \a fileName; \a chosen gets the path, or
    // none when the user cancelled. May return before the user has answered.
    virtual void chooseSaveLocation(const QString &fileName, std::function<void(std::optional<QString>)> chosen) = 0;
};

// Carries out the actions a payload offers (its primaryAction): open links, write a message or an
// e-mail, call or copy a number, add or save a contact card.
class ContentActionHandler
{
public:
    explicit ContentActionHandler(ActionEnvironment &environment);
    // Removes the contact files it wrote: the address book has read them by then.
    ~ContentActionHandler();
    ContentActionHandler(const ContentActionHandler &) = delete;
    ContentActionHandler &operator=(const ContentActionHandler &) = delete;

    // \a completion is called at most once, later, and only for an action that returned Async.
    ActionResult perform(const QString &actionId, const ParsedContent &content, ActionCompletion completion = {});

private:
    // Each answers the identifiers its kind offers, and none for any other.
    std::optional<ActionResult> performContact(
        const QString &actionId, const VCardContent &card, ActionCompletion completion);
    std::optional<ActionResult> performMessage(const QString &actionId, const SMSContent &message);
    std::optional<ActionResult> performEmail(const QString &actionId, const EmailContent &email);
    std::optional<ActionResult> performPhone(const QString &actionId, const PhoneContent &phone);
    std::optional<ActionResult> performLink(const QString &actionId, const URLContent &links);
    ActionResult addContact(const VCardContent &card);
    ActionResult saveContact(const VCardContent &card, ActionCompletion completion);

    ActionEnvironment &m_environment;
    QStringList m_contactFiles;
};

} // namespace kavri
