// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QUrl>

#include "ContentAction.h"
#include "ContentField.h"

namespace kavri {

// What every kind answers unless it says otherwise: the raw payload, no fields, no action, the
// whole payload on the clipboard. Kinds hide the members they answer differently.
class ContentRecord
{
public:
    const QString &rawText() const { return m_rawText; }
    QList<ContentField> fields() const { return {}; }
    std::optional<ContentAction> primaryAction() const { return std::nullopt; }
    std::optional<QString> clipboardText() const { return std::nullopt; }
    QString clipboardMessage() const;
    bool isStructured() const { return true; }

protected:
    explicit ContentRecord(QString rawText)
        : m_rawText(std::move(rawText))
    { }

private:
    QString m_rawText;
};

// One or more web links (never empty).
class URLContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"URLContent";
    URLContent(QString rawText, QList<QUrl> urls);

    const QList<QUrl> &urls() const { return m_urls; }
    std::optional<ContentAction> primaryAction() const;
    bool isStructured() const { return false; }

private:
    QList<QUrl> m_urls;
};

class PlainTextContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"PlainTextContent";
    explicit PlainTextContent(QString rawText)
        : ContentRecord(std::move(rawText))
    { }

    bool isStructured() const { return false; }
};

class VCardContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"VCardContent";
    // \a cardText is the vCard to hand to an address book when the payload is another kind of
    // contact code; a vCard payload is handed over as it is.
    VCardContent(QString rawText, std::optional<QString> displayName, QList<ContentField> fields,
        std::optional<QString> cardText = std::nullopt);

    const std::optional<QString> &displayName() const { return m_displayName; }
    const QString &cardText() const { return m_cardText ? *m_cardText : rawText(); }
    // Stored, so the ids stay the same from one read to the next.
    const QList<ContentField> &fields() const { return m_fields; }
    std::optional<ContentAction> primaryAction() const;

private:
    std::optional<QString> m_displayName;
    QList<ContentField> m_fields;
    std::optional<QString> m_cardText;
};

class WiFiContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"WiFiContent";
    WiFiContent(QString rawText, QString ssid, std::optional<QString> password, QString encryptionType);

    const QString &ssid() const { return m_ssid; }
    // An empty password is a password: it is what gets copied.
    const std::optional<QString> &password() const { return m_password; }
    const QString &encryptionType() const { return m_encryptionType; }
    QList<ContentField> fields() const;
    std::optional<QString> clipboardText() const;
    QString clipboardMessage() const;

private:
    QString m_ssid;
    std::optional<QString> m_password;
    QString m_encryptionType;
};

class SMSContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"SMSContent";
    SMSContent(QString rawText, QString phoneNumber, std::optional<QString> body);

    const QString &phoneNumber() const { return m_phoneNumber; }
    const std::optional<QString> &body() const { return m_body; }
    QList<ContentField> fields() const;
    std::optional<ContentAction> primaryAction() const;

private:
    QString m_phoneNumber;
    std::optional<QString> m_body;
};

class EmailContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"EmailContent";
    // \a copies: the "cc" and "bcc" of a mailto link, passed on to the mail program as they are.
    EmailContent(QString rawText, QString to, std::optional<QString> subject, std::optional<QString> body,
        std::pair<std::optional<QString>, std::optional<QString>> copies = {});

    const QString &to() const { return m_to; }
    const std::optional<QString> &subject() const { return m_subject; }
    const std::optional<QString> &body() const { return m_body; }
    const std::optional<QString> &cc() const { return m_cc; }
    const std::optional<QString> &bcc() const { return m_bcc; }
    QList<ContentField> fields() const;
    std::optional<ContentAction> primaryAction() const;

private:
    QString m_to;
    std::optional<QString> m_cc;
    std::optional<QString> m_bcc;
    std::optional<QString> m_subject;
    std::optional<QString> m_body;
};

class PhoneContent : public ContentRecord
{
public:
    static constexpr QStringView typeName = u"PhoneContent";
    PhoneContent(QString rawText, QString phoneNumber);

    const QString &phoneNumber() const { return m_phoneNumber; }
    QList<ContentField> fields() const;
    std::optional<ContentAction> primaryAction() const;
    std::optional<QString> clipboardText() const { return m_phoneNumber; }

private:
    QString m_phoneNumber;
};

// The text under which a URL is offered and opened: its full, percent-encoded form.
QString absoluteString(const QUrl &url);

} // namespace kavri
