// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PropertyList.h"

#include <cstdlib>
#include <memory>

#include <QDateTime>
#include <QVariantList>

#include <plist/plist.h>

using namespace Qt::StringLiterals;

namespace kavri::PropertyList {

namespace {

// Property-list dates count from 2001-01-01 UTC.
const QDateTime plistEpoch(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

// Deeper documents are not configurations; refusing them keeps the recursion bounded.
constexpr int maxDepth = 32;

struct PlistDeleter
{
    void operator()(void *node) const { plist_free(static_cast<plist_t>(node)); }
};
using Plist = std::unique_ptr<void, PlistDeleter>;

QString takeString(char *text)
{
    const QString value = QString::fromUtf8(text);
    free(text); // NOLINT: allocated by libplist with malloc
    return value;
}

std::optional<QVariant> fromNode(plist_t node, int depth);

std::optional<QVariant> fromDict(plist_t node, int depth)
{
    QVariantMap map;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    for (;;) {
        char *key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &key, &item);
        if (!key)
            break;
        const QString name = takeString(key);
        const std::optional<QVariant> value = fromNode(item, depth + 1);
        if (!value) {
            free(iter); // NOLINT
            return std::nullopt;
        }
        map.insert(name, *value);
    }
    free(iter); // NOLINT
    return map;
}

std::optional<QVariant> fromNode(plist_t node, int depth)
{
    if (depth > maxDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return QVariant(v != 0);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        return QVariant(static_cast<qint64>(v));
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return QVariant(v);
    }
    case PLIST_STRING: {
        char *text = nullptr;
        plist_get_string_val(node, &text);
        return QVariant(takeString(text));
    }
    case PLIST_DATE: {
        int32_t seconds = 0, micros = 0;
        plist_get_date_val(node, &seconds, &micros);
        return QVariant(plistEpoch.addMSecs(qint64(seconds) * 1000 + micros / 1000));
    }
    case PLIST_DATA: {
        char *data = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &data, &length);
        const QByteArray bytes(data, qsizetype(length));
        free(data); // NOLINT
        return QVariant(bytes);
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t count = plist_array_get_size(node);
        for (uint32_t i = 0; i < count; ++i) {
            const std::optional<QVariant> value = fromNode(plist_array_get_item(node, i), depth + 1);
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        return QVariant(list);
    }
    case PLIST_DICT:
        return fromDict(node, depth);
    default:
        return QVariant();
    }
}

plist_t toNode(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong())); // read back as signed
    case QMetaType::Double:
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::QDateTime: {
        const qint64 ms = plistEpoch.msecsTo(value.toDateTime());
        return plist_new_date(int32_t(ms / 1000), int32_t((ms % 1000) * 1000));
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), uint64_t(bytes.size()));
    }
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant &item : value.toList()) {
            if (plist_t node = toNode(item))
                plist_array_append_item(array, node);
        }
        return array;
    }
    case QMetaType::QVariantMap: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (plist_t node = toNode(it.value()))
                plist_dict_set_item(dict, it.key().toUtf8().constData(), node);
        }
        return dict;
    }
    default:
        return nullptr;
    }
}

} // namespace

std::optional<QVariantMap> readDictionary(const QByteArray &bytes, QString *error)
{
    const auto fail = [error](const QString &why) -> std::optional<QVariantMap> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return fail(u"the document is empty"_s);
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    const Plist owner(root);
    if (!root)
        return fail(u"the document is not a property list"_s);
    if (plist_get_node_type(root) != PLIST_DICT)
        return fail(u"the top level of the document is not a dictionary"_s);
    const std::optional<QVariant> value = fromNode(root, 0);
    if (!value)
        return fail(u"the document is nested too deeply"_s);
    return value->toMap();
}

QByteArray toXml(const QVariantMap &dictionary)
{
    const Plist root(toNode(QVariant(dictionary)));
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    const QByteArray bytes(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return bytes;
}

bool boolValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong() != 0;
    case QMetaType::Double:
        return value.toDouble() != 0.0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        qsizetype i = 0;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        while (i < text.size() && text[i] == u'0')
            ++i;
        if (i >= text.size())
            return false;
        const QChar c = text[i];
        return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
    }
    default:
        return false;
    }
}

} // namespace kavri::PropertyList
