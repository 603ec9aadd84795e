// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentParser.h"

#include <QRegularExpression>
#include <QUrlQuery>

#include "ContactCodes.h"
#include "LinkDetector.h"
#include "TextCoding.h"
#include "VCardReader.h"

using namespace Qt::StringLiterals;

namespace kavri::ContentParser {

namespace {

QString wifiUnescaped(QStringView value)
{
    QString text = value.toString();
    text.replace(u"\\;"_s, u";"_s);
    text.replace(u"\\:"_s, u":"_s);
    text.replace(u"\\,"_s, u","_s);
    text.replace(u"\\\""_s, u"\""_s);
    text.replace(u"\\\\"_s, u"\\"_s);
    return text;
}

std::optional<WiFiContent> parseWiFi(const QString &text)
{
    if (!TextCoding::hasUpperCasedPrefix(text, u"WIFI:"))
        return std::nullopt;
    const QList<QStringView> components = TextCoding::splitAtUnescaped(QStringView(text).sliced(5), u';');
    std::optional<QString> ssid;
    std::optional<QString> password;
    QString encryption = u"nopass"_s;
    for (const QStringView component : components) {
        const QString value = wifiUnescaped(component.sliced(std::min<qsizetype>(2, component.size())));
        if (TextCoding::hasUpperCasedPrefix(component, u"T:"))
            encryption = value.toLower();
        else if (TextCoding::hasUpperCasedPrefix(component, u"S:"))
            ssid = value;
        else if (TextCoding::hasUpperCasedPrefix(component, u"P:"))
            password = value;
    }
    if (!ssid || ssid->isEmpty())
        return std::nullopt;
    return WiFiContent(text, *ssid, password, encryption);
}

std::optional<SMSContent> parseSMS(const QString &text)
{
    if (TextCoding::hasLowerCasedPrefix(text, u"sms:")) {
        const QStringView rest = QStringView(text).sliced(4);
        const qsizetype question = rest.indexOf(u'?');
        const QStringView number = question < 0 ? rest : rest.first(question);
        if (!TextCoding::isPhoneNumber(number))
            return std::nullopt;
        std::optional<QString> body;
        if (question >= 0)
            body = TextCoding::queryValue(rest.sliced(question + 1), u"body");
        return SMSContent(text, number.toString(), body);
    }
    if (TextCoding::hasLowerCasedPrefix(text, u"smsto:")) {
        const QStringView rest = QStringView(text).sliced(6);
        const qsizetype colon = rest.indexOf(u':');
        const QStringView number = colon < 0 ? rest : rest.first(colon);
        if (!TextCoding::isPhoneNumber(number))
            return std::nullopt;
        std::optional<QString> body;
        if (colon >= 0)
            body = rest.sliced(colon + 1).toString();
        return SMSContent(text, number.toString(), body);
    }
    return std::nullopt;
}

std::optional<EmailContent> parseMatmsg(const QString &text)
{
    if (!TextCoding::hasUpperCasedPrefix(text, u"MATMSG:"))
        return std::nullopt;
    std::optional<QString> to;
    std::optional<QString> subject;
    std::optional<QString> body;
    for (const QStringView piece : QStringView(text).sliced(7).tokenize(u';')) {
        if (TextCoding::hasUpperCasedPrefix(piece, u"TO:"))
            to = piece.sliced(3).toString();
        else if (TextCoding::hasUpperCasedPrefix(piece, u"SUB:"))
            subject = piece.sliced(4).toString();
        else if (TextCoding::hasUpperCasedPrefix(piece, u"BODY:"))
            body = piece.sliced(5).toString();
    }
    if (!to || to->isEmpty())
        return std::nullopt;
    return EmailContent(text, *to, subject, body);
}

// The first query item named exactly \a name; none when absent or without "=".
std::optional<QString> mailtoQueryValue(QStringView query, QStringView name)
{
    for (const QStringView item : query.tokenize(u'&')) {
        const qsizetype equals = item.indexOf(u'=');
        const QStringView itemName = equals < 0 ? item : item.first(equals);
        if (TextCoding::percentDecoded(itemName).value_or(itemName.toString()) != name)
            continue;
        if (equals < 0)
            return std::nullopt;
        const QStringView value = item.sliced(equals + 1);
        return TextCoding::percentDecoded(value).value_or(value.toString());
    }
    return std::nullopt;
}

std::optional<EmailContent> parseMailto(const QString &text)
{
    if (!TextCoding::hasLowerCasedPrefix(text, u"mailto:"))
        return std::nullopt;
    // Only text that is a well-formed URL once its spaces are read as "%20", as mail programs
    // and code generators write them ("?subject=Hello World"); nothing else is repaired.
    const QString spaced = QString(text).replace(u' ', u"%20"_s);
    const QUrl url(spaced, QUrl::StrictMode);
    if (!TextCoding::isUriText(spaced) || !url.isValid())
        return std::nullopt;
    const QString encodedTo = url.path(QUrl::FullyEncoded);
    const QString to = TextCoding::percentDecoded(encodedTo).value_or(encodedTo);
    if (to.isEmpty())
        return std::nullopt;
    const QString query = url.query(QUrl::FullyEncoded);
    return EmailContent(text, to, mailtoQueryValue(query, u"subject"), mailtoQueryValue(query, u"body"),
        { mailtoQueryValue(query, u"cc"), mailtoQueryValue(query, u"bcc") });
}

std::optional<PhoneContent> parsePhone(const QString &text)
{
    if (!TextCoding::hasLowerCasedPrefix(text, u"tel:"))
        return std::nullopt;
    return PhoneContent(text, text.sliced(4));
}

// A MECARD or BIZCARD, shown as the card it describes and handed over as a vCard.
std::optional<VCardContent> parseContactCode(const QString &text)
{
    const std::optional<QString> vCard = ContactCodes::asVCard(text);
    if (!vCard)
        return std::nullopt;
    const std::optional<VCardContent> card = VCardReader::read(*vCard);
    if (!card)
        return std::nullopt;
    return VCardContent(text, card->displayName(), card->fields(), *vCard);
}

// A payload that is one URI in a scheme Kavri does not act on (otpauth:, bitcoin:, geo:, ...).
// Its parts are not links: "otpauth://totp/Example:alice@example.com" is a two-factor secret,
// not an address to write to.
bool isForeignUri(const QString &text)
{
    static const QRegularExpression uri(u"^([A-Za-z][A-Za-z0-9+-]*):(\\S*)$"_s);
    const QRegularExpressionMatch match = uri.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    static const QStringList handled { u"http"_s, u"https"_s, u"ftp"_s, u"mailto"_s, u"tel"_s, u"sms"_s, u"smsto"_s,
        u"wifi"_s, u"matmsg"_s, u"mecard"_s, u"bizcard"_s };
    if (handled.contains(match.captured(1).toLower()))
        return false;
    // "localhost:8080/status" is a host and a port, and "Docs:https://..." a label, not a scheme.
    static const QRegularExpression notAScheme(
        u"^(\\d+(/\\S*)?|(https?|ftp)://.*|www\\..*)$"_s, QRegularExpression::CaseInsensitiveOption);
    return !notAScheme.match(match.captured(2)).hasMatch();
}

} // namespace

ParsedContent parse(const QString &text)
{
    if (auto card = VCardReader::read(text))
        return std::move(*card);
    if (auto card = parseContactCode(text))
        return std::move(*card);
    if (auto wifi = parseWiFi(text))
        return std::move(*wifi);
    if (auto sms = parseSMS(text))
        return std::move(*sms);
    if (auto email = parseMatmsg(text))
        return std::move(*email);
    if (auto email = parseMailto(text))
        return std::move(*email);
    if (auto phone = parsePhone(text))
        return std::move(*phone);
    if (isForeignUri(text))
        return PlainTextContent(text);
    if (QList<QUrl> urls = detectURLs(text); !urls.isEmpty())
        return URLContent(text, std::move(urls));
    return PlainTextContent(text);
}

QList<QUrl> detectURLs(const QString &text)
{
    return LinkDetector::shared().detect(text);
}

} // namespace kavri::ContentParser
