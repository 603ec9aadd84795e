// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// Kavri's own icon set, under the dotted symbol names the rest of Kavri uses
// ("checkmark.circle.fill", "qrcode.viewfinder", "person.fill", ...). Each symbol is a
// monochrome SVG drawn for Kavri; "template" use tints it with one colour (the palette's text
// colour unless given), so it reads on light and dark backgrounds alike. An unknown name gives a
// null icon / null pixmap, never an error.
//
// The SVGs are compiled into kavri_platform. Pixmaps are rendered for the exact size and device
// pixel ratio asked for and cached (QPixmapCache), so everything here belongs to the GUI thread and
// needs a QGuiApplication; without one, every image is null. The disabled mode draws at reduced
// opacity.
namespace kavri::SymbolImage {

bool exists(const QString &name);

// Tinted with \a tint (invalid: the application palette's window-text colour), rendered for every
// device pixel ratio the icon is drawn at.
QIcon icon(const QString &name, const QColor &tint = {});

// \a logicalSize in device-independent pixels, rendered at \a devicePixelRatio.
QPixmap pixmap(const QString &name, int logicalSize, const QColor &tint = {}, qreal devicePixelRatio = 1.0);

// The named image resources: "MenuBarIcon" (the tray's resting image, a template drawn for
// 22 px, tinted like a symbol) and "AppIconVibrant" (the application icon, in colour: \a tint is
// ignored).
QIcon namedImage(const QString &name, const QColor &tint = {});

} // namespace kavri::SymbolImage
