// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodePayloads.h"

#include <QUrl>

#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using words::between;
using words::capitalized;
using words::pick;

QString phone(QRandomGenerator &random)
{
    return u"+1555%1"_s.arg(between(random, 1000000, 9999999));
}

QString host(QRandomGenerator &random)
{
    return pick(random, words::domains()) + u'.' + pick(random, words::topLevelDomains());
}

QString address(QRandomGenerator &random)
{
    return pick(random, words::firstNames()).toLower() + u'.' + pick(random, words::lastNames()).toLower() + u'@'
        + host(random);
}

QString phrase(QRandomGenerator &random, int low, int high)
{
    QStringList list;
    for (int count = between(random, low, high); count > 0; --count)
        list.append(pick(random, words::common()));
    list.first() = capitalized(list.first());
    return list.join(u' ');
}

QString percentEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString url(QRandomGenerator &random)
{
    QString text = u"https://"_s + (random.bounded(2) == 0 ? u"www."_s : QString()) + host(random);
    for (int segments = between(random, 0, 3); segments > 0; --segments)
        text += u'/' + pick(random, words::common());
    if (random.bounded(2) == 0)
        text += u"?utm_source=qr&id="_s + QString::number(between(random, 100, 999999));
    return text;
}

QString plainText(QRandomGenerator &random)
{
    QString text = phrase(random, 3, 12);
    if (random.bounded(4) == 0)
        text += u' ' + pick(random, words::accentedWords());
    return text + u'.';
}

QString wifi(QRandomGenerator &random)
{
    const QString network = capitalized(pick(random, words::common())) + u'-' + QString::number(between(random, 1, 99));
    const QString password = pick(random, words::common()) + QString::number(between(random, 10, 9999))
        + capitalized(pick(random, words::common())) + (random.bounded(2) == 0 ? u"!"_s : u"#"_s);
    return u"WIFI:S:"_s + network + u";T:WPA;P:"_s + password + (random.bounded(4) == 0 ? u";H:true;;"_s : u";;"_s);
}

QString vcard(QRandomGenerator &random)
{
    const QString first = pick(random, words::firstNames());
    const QString last = pick(random, words::lastNames());
    QStringList lines = { u"BEGIN:VCARD"_s, u"VERSION:3.0"_s, u"N:"_s + last + u';' + first + u";;;"_s,
        u"FN:"_s + first + u' ' + last };
    if (random.bounded(2) == 0)
        lines.append(u"ORG:"_s + capitalized(pick(random, words::domains())) + u" Ltd"_s);
    lines.append(u"TEL;TYPE=CELL:"_s + phone(random));
    lines.append(u"EMAIL:"_s + first.toLower() + u'@' + host(random));
    if (random.bounded(2) == 0)
        lines.append(u"URL:https://"_s + host(random));
    if (random.bounded(3) == 0)
        lines.append(u"ADR:;;"_s + QString::number(between(random, 1, 200)) + u' '
            + capitalized(pick(random, words::common())) + u" Street;"_s + pick(random, words::cities()) + u";;;"_s);
    lines.append(u"END:VCARD"_s);
    return lines.join(u'\n');
}

} // namespace

QString makeCodePayload(int kind, QRandomGenerator &random)
{
    switch (kind % codePayloadKinds) {
    case 0:
        return url(random);
    case 1:
        return plainText(random);
    case 2:
        return wifi(random);
    case 3:
        return vcard(random);
    case 4:
        return u"mailto:"_s + address(random) + u"?subject="_s + percentEncoded(phrase(random, 2, 4));
    case 5:
        return u"MATMSG:TO:"_s + address(random) + u";SUB:"_s + phrase(random, 2, 4) + u";BODY:"_s
            + phrase(random, 4, 10) + u".;;"_s;
    case 6:
        return u"sms:"_s + phone(random) + u"?body="_s + percentEncoded(phrase(random, 2, 6));
    case 7:
        return u"SMSTO:"_s + phone(random) + u':' + phrase(random, 2, 6);
    default:
        return u"tel:"_s + phone(random);
    }
}

QString makeCode128Payload(QRandomGenerator &random)
{
    return u"KV-"_s + QString::number(between(random, 10000, 99999)) + u'-'
        + pick(random, words::identifiers()).toUpper().first(3);
}

QString makeEan13Digits(QRandomGenerator &random)
{
    QString digits = u"40"_s;
    while (digits.size() < 12)
        digits += QString::number(random.bounded(10));
    return digits;
}

QString ean13WithCheckDigit(const QString &twelveDigits)
{
    int sum = 0;
    for (qsizetype index = 0; index < twelveDigits.size(); ++index)
        sum += twelveDigits.at(index).digitValue() * (index % 2 == 0 ? 1 : 3);
    return twelveDigits + QString::number((10 - sum % 10) % 10);
}

} // namespace kavri
