// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortalScreenshot.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDebug>
#include <QImage>
#include <QRandomGenerator>
#include <QUrl>

#include "ImageOutput.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;

enum PortalResponse : uint { accepted = 0, cancelledByUser = 1 };

} // namespace

PortalScreenshot::PortalScreenshot(QString outputPath)
    : m_outputPath(std::move(outputPath))
{ }

bool PortalScreenshot::start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;

    // The request's object path is known in advance; listen on it before asking, so a quick
    // answer cannot be missed.
    const QString token = u"kavri%1"_s.arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    const QString requestPath = portalPath + u"/request/"_s + sender + u'/' + token;
    if (!bus.connect(portalService, requestPath, u"org.freedesktop.portal.Request"_s, u"Response"_s, this,
            SLOT(onResponse(uint, QVariantMap))))
        return false;

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, u"org.freedesktop.portal.Screenshot"_s, u"Screenshot"_s);
    call << QString() << QVariantMap { { u"handle_token"_s, token }, { u"interactive"_s, true }, { u"modal"_s, true } };
    const QDBusMessage reply = bus.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning("screenshot portal: %ls", qUtf16Printable(reply.errorMessage()));
        return false;
    }
    return true;
}

void PortalScreenshot::onResponse(uint response, const QVariantMap &results)
{
    if (response == cancelledByUser) {
        QCoreApplication::exit(0);
        return;
    }
    if (response != accepted) {
        qWarning("screenshot portal refused (response %u)", response);
        QCoreApplication::exit(1);
        return;
    }
    const QUrl uri(results.value(u"uri"_s).toString());
    const QImage image(uri.toLocalFile());
    if (!uri.isLocalFile() || image.isNull()) {
        qWarning("screenshot portal delivered no readable image: %ls", qUtf16Printable(uri.toString()));
        QCoreApplication::exit(1);
        return;
    }
    QCoreApplication::exit(writePng(image, m_outputPath) ? 0 : 1);
}

} // namespace kavri
