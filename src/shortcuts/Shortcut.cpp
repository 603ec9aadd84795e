// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shortcut.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>

#include "KeyTable.h"

using namespace Qt::StringLiterals;

namespace kavri::KeyboardShortcuts {

namespace {

struct ModifierPair
{
    int carbon;
    Qt::KeyboardModifier qt;
};

constexpr ModifierPair modifierPairs[] = {
    { CarbonModifier::command, Qt::ControlModifier },
    { CarbonModifier::control, Qt::MetaModifier },
    { CarbonModifier::option, Qt::AltModifier },
    { CarbonModifier::shift, Qt::ShiftModifier },
};

Qt::KeyboardModifiers qtModifiers(int carbonModifiers)
{
    Qt::KeyboardModifiers modifiers;
    for (const ModifierPair &pair : modifierPairs)
        if (carbonModifiers & pair.carbon)
            modifiers |= pair.qt;
    return modifiers;
}

std::optional<int> jsonInteger(const QJsonObject &object, const QString &member)
{
    const QJsonValue value = object.value(member);
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != double(int(number)))
        return std::nullopt;
    return int(number);
}

} // namespace

QByteArray Shortcut::toJson() const
{
    // Member order as it has always been written.
    return "{\"carbonKeyCode\":" + QByteArray::number(carbonKeyCode)
        + ",\"carbonModifiers\":" + QByteArray::number(carbonModifiers) + "}";
}

std::optional<Shortcut> Shortcut::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto keyCode = jsonInteger(object, u"carbonKeyCode"_s);
    const auto modifiers = jsonInteger(object, u"carbonModifiers"_s);
    if (object.size() != 2 || !keyCode || !modifiers)
        return std::nullopt;
    return Shortcut { *keyCode, *modifiers };
}

std::optional<Shortcut> Shortcut::fromQt(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const auto key = KeyTable::byQtKey(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (!key)
        return std::nullopt;
    int carbon = 0;
    for (const ModifierPair &pair : modifierPairs)
        if (modifiers.testFlag(pair.qt))
            carbon |= pair.carbon;
    return Shortcut { key->carbonKeyCode, carbon };
}

std::optional<QKeyCombination> Shortcut::toQt() const
{
    const auto key = KeyTable::byCarbonKeyCode(carbonKeyCode);
    if (!key)
        return std::nullopt;
    Qt::KeyboardModifiers modifiers = qtModifiers(carbonModifiers);
    if (key->keypad)
        modifiers |= Qt::KeypadModifier;
    return QKeyCombination(modifiers, key->qtKey);
}

QString Shortcut::description() const
{
    const QString function = (carbonModifiers & CarbonModifier::function) ? u"Fn+"_s : QString();
    if (const auto combination = toQt())
        return function + QKeySequence(*combination).toString(QKeySequence::NativeText);
    // Qt names the modifiers; the key itself is unknown.
    QString modifiers
        = QKeySequence(QKeyCombination(qtModifiers(carbonModifiers), Qt::Key_A)).toString(QKeySequence::NativeText);
    modifiers.chop(1);
    return function + modifiers + QChar(QChar::ReplacementCharacter);
}

} // namespace kavri::KeyboardShortcuts
