// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentKinds.h"

#include "ContentSymbols.h"
#include "ContentTexts.h"

namespace kavri {

QString absoluteString(const QUrl &url)
{
    return url.toString(QUrl::FullyEncoded);
}

QString ContentRecord::clipboardMessage() const
{
    return ContentTexts::copiedToClipboard.toString();
}

URLContent::URLContent(QString rawText, QList<QUrl> urls)
    : ContentRecord(std::move(rawText))
    , m_urls(std::move(urls))
{
    Q_ASSERT(!m_urls.isEmpty());
}

std::optional<ContentAction> URLContent::primaryAction() const
{
    if (m_urls.isEmpty())
        return std::nullopt;
    if (m_urls.size() == 1)
        return ContentAction::button(
            ContentTexts::openURL.toString(), Symbol::link.toString(), absoluteString(m_urls.first()));

    QList<ActionMenuItem> items;
    items.reserve(m_urls.size() + 1);
    items.append({ ActionId::openAll.toString(), ContentTexts::openAllCount.toString().arg(m_urls.size()) });
    for (const QUrl &url : m_urls) {
        const QString text = absoluteString(url);
        items.append({ text, text });
    }
    return ContentAction::menu(ContentTexts::openURLMenu.toString(), Symbol::link.toString(), std::move(items));
}

VCardContent::VCardContent(
    QString rawText, std::optional<QString> displayName, QList<ContentField> fields, std::optional<QString> cardText)
    : ContentRecord(std::move(rawText))
    , m_displayName(std::move(displayName))
    , m_fields(std::move(fields))
    , m_cardText(std::move(cardText))
{ }

std::optional<ContentAction> VCardContent::primaryAction() const
{
    return ContentAction::menu(ContentTexts::contactMenu.toString(), Symbol::contactCard.toString(),
        { { ActionId::addContact.toString(), ContentTexts::addToContacts.toString() },
            { ActionId::saveContact.toString(), ContentTexts::saveToFile.toString() } });
}

WiFiContent::WiFiContent(QString rawText, QString ssid, std::optional<QString> password, QString encryptionType)
    : ContentRecord(std::move(rawText))
    , m_ssid(std::move(ssid))
    , m_password(std::move(password))
    , m_encryptionType(std::move(encryptionType))
{ }

QList<ContentField> WiFiContent::fields() const
{
    QList<ContentField> result;
    result.append({ Symbol::wifi.toString(), m_ssid });
    if (m_encryptionType == u"nopass")
        result.append({ Symbol::lockOpen.toString(), ContentTexts::openNetwork.toString() });
    else
        result.append({ Symbol::lockClosed.toString(), m_encryptionType.toUpper() });
    if (m_password && !m_password->isEmpty())
        result.append({ Symbol::key.toString(), *m_password });
    return result;
}

std::optional<QString> WiFiContent::clipboardText() const
{
    return m_password ? *m_password : m_ssid;
}

QString WiFiContent::clipboardMessage() const
{
    return (m_password ? ContentTexts::passwordCopied : ContentTexts::networkNameCopied).toString();
}

SMSContent::SMSContent(QString rawText, QString phoneNumber, std::optional<QString> body)
    : ContentRecord(std::move(rawText))
    , m_phoneNumber(std::move(phoneNumber))
    , m_body(std::move(body))
{ }

QList<ContentField> SMSContent::fields() const
{
    QList<ContentField> result;
    result.append({ Symbol::phone.toString(), m_phoneNumber });
    if (m_body && !m_body->isEmpty())
        result.append({ Symbol::textBubble.toString(), *m_body });
    return result;
}

std::optional<ContentAction> SMSContent::primaryAction() const
{
    return ContentAction::button(
        ContentTexts::sendMessage.toString(), Symbol::message.toString(), ActionId::sendSMS.toString());
}

EmailContent::EmailContent(QString rawText, QString to, std::optional<QString> subject, std::optional<QString> body,
    std::pair<std::optional<QString>, std::optional<QString>> copies)
    : ContentRecord(std::move(rawText))
    , m_to(std::move(to))
    , m_cc(std::move(copies.first))
    , m_bcc(std::move(copies.second))
    , m_subject(std::move(subject))
    , m_body(std::move(body))
{ }

QList<ContentField> EmailContent::fields() const
{
    QList<ContentField> result;
    if (!m_to.isEmpty())
        result.append({ Symbol::at.toString(), m_to });
    if (m_subject && !m_subject->isEmpty())
        result.append({ Symbol::subject.toString(), *m_subject });
    if (m_body && !m_body->isEmpty())
        result.append({ Symbol::quote.toString(), *m_body });
    return result;
}

std::optional<ContentAction> EmailContent::primaryAction() const
{
    return ContentAction::button(
        ContentTexts::sendEmail.toString(), Symbol::envelope.toString(), ActionId::sendEmail.toString());
}

PhoneContent::PhoneContent(QString rawText, QString phoneNumber)
    : ContentRecord(std::move(rawText))
    , m_phoneNumber(std::move(phoneNumber))
{ }

QList<ContentField> PhoneContent::fields() const
{
    return { { Symbol::phone.toString(), m_phoneNumber } };
}

std::optional<ContentAction> PhoneContent::primaryAction() const
{
    return ContentAction::menu(ContentTexts::callMenu.toString(), Symbol::phone.toString(),
        { { ActionId::call.toString(), ContentTexts::call.toString() },
            { ActionId::copyNumber.toString(), ContentTexts::copyNumber.toString() } });
}

} // namespace kavri
