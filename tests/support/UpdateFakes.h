// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

#include "services/update/SparkleHelperDelegate.h"

namespace kavri::test {

// Counts what the update checks told their delegate.
class RecordingUpdateDelegate : public QObject, public SparkleHelperDelegate
{
public:
    int found = 0;
    int notFound = 0;
    void sparkleHelperDidNotFindUpdate() override { ++notFound; }
    void sparkleHelperDidFindUpdate() override { ++found; }
};

// An update feed holding \a items (each an <item> element).
inline QByteArray appcastWith(const QByteArray &items)
{
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" "
           "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>"
        + items + "</channel></rss>";
}

} // namespace kavri::test
