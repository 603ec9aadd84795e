// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserDefaults.h"

#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <plist/plist.h>

#include "Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// Property-list dates count from 2001-01-01 UTC.
const QDateTime plistEpoch(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

struct PlistDeleter
{
    void operator()(void *node) const { plist_free(static_cast<plist_t>(node)); }
};
using Plist = std::unique_ptr<void, PlistDeleter>;

plist_t toNode(const UserDefaults::Value &value)
{
    return std::visit(
        [](const auto &v) -> plist_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>)
                return plist_new_bool(v ? 1 : 0);
            else if constexpr (std::is_same_v<T, double>)
                return plist_new_real(v);
            else if constexpr (std::is_same_v<T, qint64>)
                return plist_new_uint(static_cast<uint64_t>(v)); // read back as signed
            else if constexpr (std::is_same_v<T, QString>)
                return plist_new_string(v.toUtf8().constData());
            else if constexpr (std::is_same_v<T, QDateTime>) {
                const qint64 ms = plistEpoch.msecsTo(v);
                return plist_new_date(int32_t(ms / 1000), int32_t((ms % 1000) * 1000));
            } else
                return nullptr;
        },
        value);
}

UserDefaults::Value fromNode(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return v != 0;
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return v;
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        return static_cast<qint64>(v);
    }
    case PLIST_STRING: {
        char *text = nullptr;
        plist_get_string_val(node, &text);
        const QString v = QString::fromUtf8(text);
        free(text); // NOLINT: allocated by libplist with malloc
        return v;
    }
    case PLIST_DATE: {
        int32_t seconds = 0, micros = 0;
        plist_get_date_val(node, &seconds, &micros);
        return plistEpoch.addMSecs(qint64(seconds) * 1000 + micros / 1000);
    }
    default:
        return std::monostate(); // arrays, dictionaries, data: not settings Kavri writes
    }
}

} // namespace

UserDefaults::UserDefaults(QString filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(std::move(filePath))
{
    load();
}

QString UserDefaults::standardFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"Kavri/defaults.plist"_s);
}

UserDefaults &UserDefaults::standard()
{
    static auto *defaults = new UserDefaults(standardFilePath(), qApp);
    return *defaults;
}

void UserDefaults::set(const QString &key, const Value &value)
{
    if (std::holds_alternative<std::monostate>(value)) {
        if (m_values.remove(key) == 0)
            return;
    } else {
        m_values.insert(key, value);
    }
    save();
    Q_EMIT changed(key);
}

void UserDefaults::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    plist_t root = nullptr;
    if (!bytes.isEmpty())
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
    const Plist owner(root);
    if (root && plist_get_node_type(root) == PLIST_DICT) {
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(root, &iter);
        for (;;) {
            char *key = nullptr;
            plist_t node = nullptr;
            plist_dict_next_item(root, iter, &key, &node);
            if (!key)
                break;
            const Value value = fromNode(node);
            if (!std::holds_alternative<std::monostate>(value))
                m_values.insert(QString::fromUtf8(key), value);
            free(key); // NOLINT: allocated by libplist with malloc
        }
        free(iter); // NOLINT
        return;
    }
    // Keep the user's only copy: move it aside rather than overwrite it with defaults.
    const QString aside = m_filePath + u".corrupt"_s;
    QFile::remove(aside);
    if (QFile::rename(m_filePath, aside)) {
        qCWarning(lcKavri, "Settings file %ls could not be read; moved to %ls, starting from defaults",
            qUtf16Printable(m_filePath), qUtf16Printable(aside));
    } else {
        m_writable = false;
        qCWarning(lcKavri, "Settings file %ls could not be read or moved; changes will not be saved",
            qUtf16Printable(m_filePath));
    }
}

bool UserDefaults::save() const
{
    if (!m_writable)
        return false;
    const Plist root(plist_new_dict());
    for (auto it = m_values.begin(); it != m_values.end(); ++it)
        plist_dict_set_item(root.get(), it.key().toUtf8().constData(), toNode(it.value()));
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    const QByteArray bytes(xml, qsizetype(length));
    plist_to_xml_free(xml);

    QDir().mkpath(QFileInfo(m_filePath).path());
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCWarning(lcKavri, "Settings file %ls could not be written: %ls", qUtf16Printable(m_filePath),
            qUtf16Printable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace kavri
