// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParsedContentJson.h"

#include <algorithm>
#include <array>

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QJsonValue optional(const std::optional<QString> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonValue actionJson(const std::optional<ContentAction> &action)
{
    if (!action)
        return QJsonValue::Null;
    QJsonObject object { { u"title"_s, action->title() }, { u"symbol"_s, action->symbol() } };
    if (const auto *button = action->asButton()) {
        object.insert(u"kind"_s, u"button"_s);
        object.insert(u"action"_s, button->action);
    } else if (const auto *menu = action->asMenu()) {
        QJsonArray items;
        for (const ActionMenuItem &item : menu->items)
            items.append(QJsonObject { { u"id"_s, item.id }, { u"title"_s, item.title } });
        object.insert(u"kind"_s, u"menu"_s);
        object.insert(u"items"_s, items);
    }
    return object;
}

// Member names in the order a reader expects them; an object lists its members in this order.
constexpr std::array<QStringView, 24> memberOrder {
    u"type",
    u"rawText",
    u"formattedText",
    u"isStructured",
    u"fields",
    u"primaryAction",
    u"clipboardText",
    u"clipboardMessage",
    u"urls",
    u"displayName",
    u"ssid",
    u"password",
    u"encryptionType",
    u"phoneNumber",
    u"to",
    u"subject",
    u"body",
    u"kind",
    u"id",
    u"title",
    u"symbol",
    u"value",
    u"action",
    u"items",
};

qsizetype memberRank(const QString &name)
{
    const auto it = std::find(memberOrder.begin(), memberOrder.end(), name);
    return it - memberOrder.begin();
}

void writeValue(QByteArray &out, const QJsonValue &value, int depth);

void writeIndent(QByteArray &out, int depth)
{
    out += QByteArray(4 * depth, ' ');
}

void writeObject(QByteArray &out, const QJsonObject &object, int depth)
{
    QStringList keys = object.keys();
    std::stable_sort(
        keys.begin(), keys.end(), [](const QString &a, const QString &b) { return memberRank(a) < memberRank(b); });
    out += "{\n";
    for (qsizetype i = 0; i < keys.size(); ++i) {
        writeIndent(out, depth + 1);
        writeValue(out, keys[i], depth + 1);
        out += ": ";
        writeValue(out, object.value(keys[i]), depth + 1);
        out += i + 1 < keys.size() ? ",\n" : "\n";
    }
    writeIndent(out, depth);
    out += '}';
}

void writeValue(QByteArray &out, const QJsonValue &value, int depth)
{
    if (value.isObject()) {
        writeObject(out, value.toObject(), depth);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        if (array.isEmpty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (qsizetype i = 0; i < array.size(); ++i) {
            writeIndent(out, depth + 1);
            writeValue(out, array[i], depth + 1);
            out += i + 1 < array.size() ? ",\n" : "\n";
        }
        writeIndent(out, depth);
        out += ']';
    } else {
        // Scalars as Qt writes them inside an array: "[x]" without the brackets.
        const QByteArray wrapped = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
        out += wrapped.sliced(1, wrapped.size() - 2);
    }
}

void insertStoredFields(QJsonObject &object, const ParsedContent &content)
{
    if (const auto *urls = content.as<URLContent>()) {
        QJsonArray list;
        for (const QUrl &url : urls->urls())
            list.append(absoluteString(url));
        object.insert(u"urls"_s, list);
    } else if (const auto *card = content.as<VCardContent>()) {
        object.insert(u"displayName"_s, optional(card->displayName()));
    } else if (const auto *wifi = content.as<WiFiContent>()) {
        object.insert(u"ssid"_s, wifi->ssid());
        object.insert(u"password"_s, optional(wifi->password()));
        object.insert(u"encryptionType"_s, wifi->encryptionType());
    } else if (const auto *sms = content.as<SMSContent>()) {
        object.insert(u"phoneNumber"_s, sms->phoneNumber());
        object.insert(u"body"_s, optional(sms->body()));
    } else if (const auto *email = content.as<EmailContent>()) {
        object.insert(u"to"_s, email->to());
        object.insert(u"subject"_s, optional(email->subject()));
        object.insert(u"body"_s, optional(email->body()));
    } else if (const auto *phone = content.as<PhoneContent>()) {
        object.insert(u"phoneNumber"_s, phone->phoneNumber());
    }
}

} // namespace

QJsonObject toJson(const ParsedContent &content)
{
    const QList<ContentField> fields = content.fields();
    QJsonArray fieldArray;
    for (const ContentField &field : fields)
        fieldArray.append(QJsonObject { { u"symbol"_s, field.symbol }, { u"value"_s, field.value } });

    QJsonObject object {
        { u"type"_s, content.typeName().toString() },
        { u"rawText"_s, content.rawText() },
        { u"formattedText"_s, content.formattedText() },
        { u"isStructured"_s, content.isStructured() },
        { u"fields"_s, fieldArray },
        { u"primaryAction"_s, actionJson(content.primaryAction()) },
        { u"clipboardText"_s, optional(content.clipboardText()) },
        { u"clipboardMessage"_s, content.clipboardMessage() },
    };
    insertStoredFields(object, content);
    return object;
}

QByteArray toJsonText(const ParsedContent &content)
{
    QByteArray out;
    writeObject(out, toJson(content), 0);
    out += '\n';
    return out;
}

} // namespace kavri
