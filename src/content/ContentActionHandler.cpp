// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentActionHandler.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>

#include "Logging.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QStringView couldNotSendMessage = u"Could Not Send Message";
constexpr QStringView couldNotAddContact = u"Could Not Add Contact";
constexpr QStringView couldNotSaveContact = u"Could Not Save Contact";

// A payload is untrusted: it may only reach the handlers of these schemes, never a local file,
// a script or another program's custom scheme.
constexpr std::array openableSchemes { u"http", u"https", u"ftp", u"mailto", u"tel", u"sms" };

const ActionFailure &noPhoneNumber()
{
    static const ActionFailure failure { couldNotSendMessage.toString(), u"No phone number provided."_s };
    return failure;
}

const ActionFailure &badMessageUrl()
{
    static const ActionFailure failure { couldNotSendMessage.toString(),
        u"Failed to open Messages app with the provided phone number."_s };
    return failure;
}

const ActionFailure &badEmailUrl()
{
    static const ActionFailure failure { u"Could Not Send Email"_s,
        u"Failed to open email client with the provided address."_s };
    return failure;
}

const ActionFailure &badPhoneUrl()
{
    static const ActionFailure failure { u"Could Not Make Call"_s,
        u"Failed to open FaceTime with the provided phone number."_s };
    return failure;
}

// Most Linux desktops have nothing that makes calls or sends text messages: the number goes to
// the clipboard instead, for a phone or a web dialer.
ActionFailure noApplicationFor(QStringView scheme, const QString &number)
{
    if (scheme == u"tel")
        return { u"No App for Calls"_s,
            u"No application on this desktop makes calls. The number %1 has been copied to the clipboard."_s.arg(
                number) };
    return { u"No App for Messages"_s,
        u"No application on this desktop sends messages. The number %1 has been copied to the clipboard."_s.arg(
            number) };
}

// "+1 (555) 010-0100" as "+15550100100": what dialers and messaging applications expect.
QString normalisedNumber(const QString &number)
{
    QString digits;
    for (const QChar c : number) {
        if (!c.isSpace() && c != u'.' && c != u'-' && c != u'(' && c != u')')
            digits += c;
    }
    return digits;
}

ActionFailure invalidUrl()
{
    return { u"Could Not Open URL"_s, u"The URL is invalid."_s };
}

ActionFailure unknownAction()
{
    return { u"Unknown Action"_s, u"The requested action is not recognized."_s };
}

ActionResult succeeded()
{
    return { ActionResult::Success {} };
}

ActionResult failed(ActionFailure failure)
{
    return { std::move(failure) };
}

// Payload text shows in the log only when asked for.
QString privateValue(const QString &value)
{
    return qEnvironmentVariableIntValue("KAVRI_LOG_PRIVATE") == 1 ? value : u"<private>"_s;
}

bool isOpenable(const QUrl &url)
{
    return url.isValid() && !url.isRelative()
        && std::find(openableSchemes.begin(), openableSchemes.end(), url.scheme()) != openableSchemes.end();
}

// Percent-encodes everything but the unreserved characters, so "&", "=", "#" and "+" in a value
// stay part of it whichever way a handler splits the query.
void setQueryItems(QUrl &url, const QList<std::pair<QString, QString>> &items)
{
    QStringList pairs;
    for (const auto &item : items)
        pairs.append(item.first + u'=' + QString::fromLatin1(QUrl::toPercentEncoding(item.second)));
    if (!pairs.isEmpty())
        url.setQuery(pairs.join(u'&'), QUrl::StrictMode);
}

bool hasText(const std::optional<QString> &text)
{
    return text && !text->isEmpty();
}

// Writes \a text as UTF-8, all or nothing; the error's description on failure.
// A contact card holds personal data: the copies Kavri keeps for the address book are the user's
// alone.
constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

std::optional<QString> writeUtf8(
    const QString &path, const QString &text, std::optional<QFileDevice::Permissions> permissions = std::nullopt)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (permissions && !file.setPermissions(*permissions))
        return file.errorString();
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

// Cards an earlier run left behind (it ended without cleaning up) go after a day.
void removeStaleContactFiles(const QString &folder)
{
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    for (const QFileInfo &file : QDir(folder).entryInfoList({ u"*.vcf"_s }, QDir::Files)) {
        if (file.lastModified() < dayAgo)
            QFile::remove(file.filePath());
    }
}

QString proposedFileName(const VCardContent &card)
{
    QString name = card.displayName().value_or(QString());
    if (name.isEmpty())
        name = u"contact"_s;
    name.replace(u'/', u'-').replace(u':', u'-');
    return name + u".vcf"_s;
}

} // namespace

ContentActionHandler::ContentActionHandler(ActionEnvironment &environment)
    : m_environment(environment)
{ }

ContentActionHandler::~ContentActionHandler()
{
    for (const QString &path : std::as_const(m_contactFiles))
        QFile::remove(path);
}

ActionResult ContentActionHandler::perform(
    const QString &actionId, const ParsedContent &content, ActionCompletion completion)
{
    std::optional<ActionResult> result;
    if (const auto *card = content.as<VCardContent>())
        result = performContact(actionId, *card, std::move(completion));
    else if (const auto *message = content.as<SMSContent>())
        result = performMessage(actionId, *message);
    else if (const auto *email = content.as<EmailContent>())
        result = performEmail(actionId, *email);
    else if (const auto *phone = content.as<PhoneContent>())
        result = performPhone(actionId, *phone);
    else if (const auto *links = content.as<URLContent>())
        result = performLink(actionId, *links);
    if (result)
        return *result;

    qCCritical(lcContent, "Unknown action '%ls' for content type %ls", qUtf16Printable(actionId),
        qUtf16Printable(content.typeName().toString()));
    return failed(unknownAction());
}

std::optional<ActionResult> ContentActionHandler::performContact(
    const QString &actionId, const VCardContent &card, ActionCompletion completion)
{
    if (actionId == ActionId::addContact)
        return addContact(card);
    if (actionId == ActionId::saveContact)
        return saveContact(card, std::move(completion));
    return std::nullopt;
}

ActionResult ContentActionHandler::addContact(const VCardContent &card)
{
    const QString folder = m_environment.contactFolder();
    // Without a folder the name would be relative, and the card would land in whatever folder
    // Kavri happens to run in.
    if (folder.isEmpty()) {
        qCCritical(lcContent, "Failed to write vCard to temp file: no private folder");
        return failed(
            { couldNotAddContact.toString(), u"Failed to create contact file: no private folder is available"_s });
    }
    removeStaleContactFiles(folder);
    const QString path = QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + u".vcf"_s);
    if (const auto error = writeUtf8(path, card.cardText(), ownerOnly)) {
        qCCritical(lcContent, "Failed to write vCard to temp file: %ls", qUtf16Printable(*error));
        return failed({ couldNotAddContact.toString(), u"Failed to create contact file: "_s + *error });
    }
    m_contactFiles.append(path);
    // The one local file Kavri opens: its own copy of the card, for the address book to import.
    m_environment.openUrl(QUrl::fromLocalFile(path));
    return succeeded();
}

ActionResult ContentActionHandler::saveContact(const VCardContent &card, ActionCompletion completion)
{
    struct Request
    {
        QString text;
        ActionCompletion completion;
        bool answered = false;
        bool returned = false;
    };
    auto request = std::make_shared<Request>(Request { card.cardText(), std::move(completion) });

    auto save = [request](const QString &path) {
        const auto error = writeUtf8(path, request->text);
        if (error)
            qCCritical(lcContent, "Failed to save vCard: %ls", qUtf16Printable(*error));
        if (!request->completion)
            return;
        if (error)
            request->completion(ActionFailure { couldNotSaveContact.toString(), u"Failed to save file: "_s + *error });
        else
            request->completion(std::nullopt);
    };
    m_environment.chooseSaveLocation(proposedFileName(card), [request, save](const std::optional<QString> &path) {
        // A cancelled panel ends the action silently; a second answer is ignored.
        if (std::exchange(request->answered, true) || !path || path->isEmpty())
            return;
        // The caller learns of the outcome after it has seen the Async result, even when
        // the answer comes at once.
        QCoreApplication *app = QCoreApplication::instance();
        if (request->returned || !app)
            save(*path);
        else
            QMetaObject::invokeMethod(
                app, [save, chosen = *path] { save(chosen); }, Qt::QueuedConnection);
    });
    request->returned = true;
    return ActionResult { ActionResult::Async {} };
}

std::optional<ActionResult> ContentActionHandler::performMessage(const QString &actionId, const SMSContent &message)
{
    if (actionId != ActionId::sendSMS)
        return std::nullopt;
    if (message.phoneNumber().isEmpty()) {
        qCCritical(lcContent, "SMS phone number is empty, body: %ls",
            qUtf16Printable(privateValue(message.body().value_or(u"(nil)"_s))));
        return failed(noPhoneNumber());
    }
    const QString number = normalisedNumber(message.phoneNumber());
    if (!m_environment.canOpenScheme(u"sms"_s)) {
        m_environment.setClipboardText(number);
        return failed(noApplicationFor(u"sms", number));
    }
    QUrl url;
    url.setScheme(u"sms"_s);
    url.setPath(number);
    if (hasText(message.body()))
        setQueryItems(url, { { u"body"_s, *message.body() } });
    if (!url.isValid()) {
        const QString components = u"scheme: sms, path: "_s + message.phoneNumber() + u", query: "_s
            + (hasText(message.body()) ? u"body="_s + *message.body() : u"(nil)"_s);
        qCCritical(lcContent, "Failed to create SMS URL for phone: %ls, components: %ls",
            qUtf16Printable(message.phoneNumber()), qUtf16Printable(components));
        return failed(badMessageUrl());
    }
    m_environment.openUrl(url);
    return succeeded();
}

std::optional<ActionResult> ContentActionHandler::performEmail(const QString &actionId, const EmailContent &email)
{
    if (actionId != ActionId::sendEmail)
        return std::nullopt;
    QUrl url;
    url.setScheme(u"mailto"_s);
    url.setPath(email.to());
    QList<std::pair<QString, QString>> items;
    if (hasText(email.subject()))
        items.append({ u"subject"_s, *email.subject() });
    if (hasText(email.body()))
        items.append({ u"body"_s, *email.body() });
    if (hasText(email.cc()))
        items.append({ u"cc"_s, *email.cc() });
    if (hasText(email.bcc()))
        items.append({ u"bcc"_s, *email.bcc() });
    setQueryItems(url, items);
    if (!url.isValid()) {
        qCCritical(lcContent, "Failed to create mailto URL for: %ls", qUtf16Printable(email.to()));
        return failed(badEmailUrl());
    }
    m_environment.openUrl(url);
    return succeeded();
}

std::optional<ActionResult> ContentActionHandler::performPhone(const QString &actionId, const PhoneContent &phone)
{
    if (actionId == ActionId::call) {
        const QString number = normalisedNumber(phone.phoneNumber());
        const QString text = u"tel:"_s + number;
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid()) {
            qCCritical(lcContent, "Failed to create phone URL from: %ls", qUtf16Printable(text));
            return failed(badPhoneUrl());
        }
        if (!m_environment.canOpenScheme(u"tel"_s)) {
            m_environment.setClipboardText(number);
            return failed(noApplicationFor(u"tel", number));
        }
        m_environment.openUrl(url);
        return succeeded();
    }
    if (actionId == ActionId::copyNumber) {
        m_environment.setClipboardText(phone.phoneNumber());
        return succeeded();
    }
    return std::nullopt;
}

std::optional<ActionResult> ContentActionHandler::performLink(const QString &actionId, const URLContent &links)
{
    if (actionId == ActionId::openAll) {
        for (const QUrl &url : links.urls()) {
            if (isOpenable(url))
                m_environment.openUrl(url);
            else
                qCWarning(lcContent, "Skipping a link Kavri does not open: %ls", qUtf16Printable(absoluteString(url)));
        }
        return succeeded();
    }
    const QUrl url(actionId, QUrl::StrictMode);
    if (!isOpenable(url)) {
        qCCritical(lcContent, "Invalid URL string passed as action ID: %ls", qUtf16Printable(actionId));
        return failed(invalidUrl());
    }
    m_environment.openUrl(url);
    return succeeded();
}

} // namespace kavri
