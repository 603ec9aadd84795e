// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppcastReader.h"

#include <QXmlStreamReader>

#include "VersionComparator.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QStringView updateNamespace = u"http://www.andymatuschak.org/xml-namespaces/sparkle";

bool isUpdateElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri() == updateNamespace && xml.name() == name;
}

bool isPlainElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

QUrl linkFrom(const QString &text, const QUrl &feedUrl)
{
    const QUrl url(text.trimmed());
    if (text.trimmed().isEmpty() || !url.isValid())
        return {};
    return feedUrl.isValid() ? feedUrl.resolved(url) : url;
}

void readEnclosure(QXmlStreamReader &xml, AppcastItem &item, const QUrl &feedUrl)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (item.enclosureUrl.isEmpty())
        item.enclosureUrl = linkFrom(attributes.value(u"url"_s).toString(), feedUrl);
    const QString version = attributes.value(updateNamespace.toString(), u"version"_s).toString().trimmed();
    if (item.version.isEmpty())
        item.version = version;
    const QString shortVersion
        = attributes.value(updateNamespace.toString(), u"shortVersionString"_s).toString().trimmed();
    if (item.shortVersionString.isEmpty())
        item.shortVersionString = shortVersion;
    xml.skipCurrentElement();
}

AppcastItem readItem(QXmlStreamReader &xml, const QUrl &feedUrl)
{
    AppcastItem item;
    // The item's own elements win over the enclosure's attributes, whatever their order.
    QString version;
    QString shortVersion;
    while (xml.readNextStartElement()) {
        if (isPlainElement(xml, u"title"))
            item.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (isPlainElement(xml, u"description"))
            item.itemDescription = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (isPlainElement(xml, u"link"))
            item.infoUrl = linkFrom(xml.readElementText(QXmlStreamReader::IncludeChildElements), feedUrl);
        else if (isPlainElement(xml, u"enclosure"))
            readEnclosure(xml, item, feedUrl);
        else if (isUpdateElement(xml, u"version"))
            version = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (isUpdateElement(xml, u"shortVersionString"))
            shortVersion = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (isUpdateElement(xml, u"releaseNotesLink"))
            item.releaseNotesLink = linkFrom(xml.readElementText(QXmlStreamReader::IncludeChildElements), feedUrl);
        else
            xml.skipCurrentElement(); // minimum system version and the rest do not apply here
    }
    if (!version.isEmpty())
        item.version = version;
    if (!shortVersion.isEmpty())
        item.shortVersionString = shortVersion;
    return item;
}

void readChannel(QXmlStreamReader &xml, Appcast &appcast, const QUrl &feedUrl)
{
    while (xml.readNextStartElement()) {
        if (!isPlainElement(xml, u"item")) {
            xml.skipCurrentElement();
            continue;
        }
        AppcastItem item = readItem(xml, feedUrl);
        if (xml.hasError())
            return;
        if (item.version.isEmpty()) {
            qCDebug(lcKavri, "Update feed item \"%ls\" has no version; ignored", qUtf16Printable(item.title));
            continue;
        }
        appcast.items.append(std::move(item));
    }
}

} // namespace

const AppcastItem *Appcast::newestItem() const
{
    const AppcastItem *newest = nullptr;
    for (const AppcastItem &item : items) {
        if (!newest || compareVersions(item.version, newest->version) > 0)
            newest = &item;
    }
    return newest;
}

Appcast AppcastReader::parse(const QByteArray &data, const QUrl &feedUrl)
{
    Appcast appcast;
    if (data.size() > maximumFeedBytes) {
        appcast.error = u"The update feed is larger than %1 bytes."_s.arg(maximumFeedBytes);
        return appcast;
    }
    QXmlStreamReader xml(data);
    bool sawChannel = false;
    if (xml.readNextStartElement()) {
        if (!isPlainElement(xml, u"rss")) {
            appcast.error = u"The update feed is not an RSS document."_s;
            return appcast;
        }
        while (xml.readNextStartElement()) {
            if (isPlainElement(xml, u"channel") && !sawChannel) {
                sawChannel = true;
                readChannel(xml, appcast, feedUrl);
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    // Reading on to the end also finds faults after the last item (an unclosed element, junk).
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError()) {
        appcast.items.clear();
        appcast.error = u"The update feed is not well-formed XML (line %1, column %2: %3)."_s.arg(xml.lineNumber())
                            .arg(xml.columnNumber())
                            .arg(xml.errorString());
    } else if (!sawChannel) {
        appcast.error = u"The update feed has no channel."_s;
    }
    return appcast;
}

} // namespace kavri
