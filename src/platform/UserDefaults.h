// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include <QDateTime>
#include <QMap>
#include <QObject>

namespace kavri {

// The per-user settings store: typed values under string keys, kept as an XML property list
// that is read once and rewritten atomically on every change. Values keep their types on disk,
// so a reader can tell a stored Boolean from a stored number.
//
// A file that cannot be read as a property list is moved aside (".corrupt", one copy kept) and
// the store starts empty; one that cannot even be moved is left alone and never overwritten.
// Main thread only.
class UserDefaults : public QObject
{
    Q_OBJECT

public:
    // Absent, Boolean, double, integer, string or date (kept to the second, as property lists do).
    using Value = std::variant<std::monostate, bool, double, qint64, QString, QDateTime>;

    explicit UserDefaults(QString filePath, QObject *parent = nullptr);

    // $XDG_CONFIG_HOME/Kavri/defaults.plist
    static QString standardFilePath();
    static UserDefaults &standard();

    const QString &filePath() const { return m_filePath; }
    Value object(const QString &key) const { return m_values.value(key); }
    // An absent value removes the key. The file is written before this returns; a failed write
    // is logged and the value is still kept for this session.
    void set(const QString &key, const Value &value);
    void remove(const QString &key) { set(key, std::monostate()); }

Q_SIGNALS:
    void changed(const QString &key);

private:
    void load();
    bool save() const;

    QString m_filePath;
    QMap<QString, Value> m_values;
    bool m_writable = true;
};

} // namespace kavri
