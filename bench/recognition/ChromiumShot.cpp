// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumShot.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int shotTimeoutMs = 180'000;

// Colour antialiasing as on an LCD: RGB order, the default LCD filter, full hinting.
constexpr char subpixelFonts[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="rgba" mode="assign"><const>rgb</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
  </match>
</fontconfig>
)";

} // namespace

QString findChromium()
{
    for (const QString &name : { u"chromium"_s, u"chromium-browser"_s }) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool screenshotPage(
    const QString &chromium, const QString &html, const QString &png, QSize size, int scale, bool subpixel)
{
    QTemporaryDir profile;
    if (!profile.isValid())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (subpixel) {
        QFile fonts(profile.filePath(u"fonts.conf"_s));
        if (!fonts.open(QIODevice::WriteOnly))
            return false;
        fonts.write(subpixelFonts);
        fonts.close();
        environment.insert(u"FONTCONFIG_FILE"_s, fonts.fileName());
    }
    QFile::remove(png);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(chromium,
        { u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--hide-scrollbars"_s, u"--disable-quic"_s,
            u"--no-first-run"_s, u"--disable-background-networking"_s, u"--disable-component-update"_s,
            u"--disable-sync"_s, u"--user-data-dir="_s + profile.filePath(u"profile"_s),
            u"--force-device-scale-factor=%1"_s.arg(scale),
            u"--window-size=%1,%2"_s.arg(size.width()).arg(size.height()), u"--screenshot="_s + png,
            QUrl::fromLocalFile(html).toString() });
    if (!process.waitForFinished(shotTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return QFileInfo::exists(png);
}

} // namespace kavri
