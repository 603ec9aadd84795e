// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldOutSources.h"

#include <algorithm>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kavri::heldout {

namespace {

constexpr int maxHeaderFiles = 400;
const QString recordEnd = u"@@kavri-record-end@@"_s;

QString collapsed(const QString &text)
{
    return text.simplified();
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

QString expandTabs(const QString &line)
{
    QString expanded;
    for (const QChar character : line) {
        if (character == u'\t')
            expanded += QString(4 - expanded.size() % 4, u' ');
        else
            expanded += character;
    }
    while (expanded.endsWith(u' '))
        expanded.chop(1);
    return expanded;
}

QList<Package> queryPackages()
{
    QProcess query;
    query.start(u"dpkg-query"_s,
        { u"-W"_s,
            u"-f=${Package}\\t${Version}\\t${Installed-Size}\\t${Homepage}\\t${Maintainer}\\t${Description}\\n"_s
                + recordEnd + u"\\n"_s });
    query.waitForFinished(30'000);
    static const QRegularExpression maintainer(u"^(.+?)\\s*<([^>]+@[^>]+)>$"_s);
    QList<Package> list;
    for (const QString &record : QString::fromUtf8(query.readAllStandardOutput()).split(recordEnd)) {
        const QStringList fields = record.trimmed().split(u'\t');
        if (fields.size() < 6)
            continue;
        const auto match = maintainer.match(fields.at(4).trimmed());
        if (!match.hasMatch())
            continue;
        Package package { fields.at(0), fields.at(1), fields.at(2).toInt(), fields.at(3).trimmed(), match.captured(1),
            match.captured(2), QString(), {} };
        const QStringList description = fields.mid(5).join(u'\t').split(u'\n');
        package.summary = description.value(0).trimmed();
        for (qsizetype line = 1; line < description.size(); ++line) {
            const QString item = description.at(line).trimmed();
            if ((item.startsWith(u"* "_s) || item.startsWith(u"- "_s)) && item.size() < 70)
                package.items.append(item);
        }
        list.append(package);
    }
    std::sort(list.begin(), list.end(), [](const Package &a, const Package &b) { return a.name < b.name; });
    return list;
}

QStringList paragraphsOf(const QString &text)
{
    QStringList paragraphs;
    static const QRegularExpression blank(u"\\n\\s*\\n"_s);
    for (const QString &block : text.split(blank)) {
        const QString paragraph = collapsed(block);
        if (paragraph.size() >= 120 && drawable(paragraph))
            paragraphs.append(paragraph);
    }
    return paragraphs;
}

} // namespace

bool drawable(const QString &text)
{
    static const QString extra = u"“”‘’–—…€"_s;
    return std::all_of(text.cbegin(), text.cend(), [](QChar character) {
        const char16_t code = character.unicode();
        return (code >= 0x20 && code < 0x7f) || (code >= 0xa0 && code <= 0xff) || extra.contains(character);
    });
}

const QList<Package> &packages()
{
    static const QList<Package> list = queryPackages();
    return list;
}

const QStringList &proseParagraphs()
{
    static const QStringList list = [] {
        QStringList paragraphs;
        QDir licenses(u"/usr/share/common-licenses"_s);
        for (const QString &name : licenses.entryList(QDir::Files, QDir::Name)) {
            QFile file(licenses.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                paragraphs << paragraphsOf(QString::fromUtf8(file.readAll()));
        }
        QProcess query;
        query.start(u"dpkg-query"_s, { u"-W"_s, u"-f=${Description}\\n\\n"_s });
        query.waitForFinished(30'000);
        for (QString block : QString::fromUtf8(query.readAllStandardOutput()).split(u"\n\n"_s)) {
            // The first line is the summary; " ." lines separate paragraphs of the long text.
            block = block.section(u'\n', 1);
            for (const QString &part : block.split(u"\n .\n"_s))
                paragraphs << paragraphsOf(part);
        }
        paragraphs.removeDuplicates();
        return paragraphs;
    }();
    return list;
}

const QList<QStringList> &headerFiles()
{
    static const QList<QStringList> list = [] {
        QStringList paths;
        QDirIterator files(u"/usr/include"_s, { u"*.h"_s, u"*.hpp"_s }, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.count(u'/') <= 4)
                paths.append(path);
        }
        std::sort(paths.begin(), paths.end());
        // An even spread, so that libc, Qt and the rest all have a say.
        const qsizetype step = std::max<qsizetype>(1, paths.size() / maxHeaderFiles);
        QList<QStringList> headers;
        for (qsizetype index = 0; index < paths.size(); index += step) {
            QStringList lines;
            for (const QString &line : readLines(paths.at(index)))
                lines.append(expandTabs(line));
            if (lines.size() > 20)
                headers.append(lines);
        }
        return headers;
    }();
    return list;
}

} // namespace kavri::heldout
