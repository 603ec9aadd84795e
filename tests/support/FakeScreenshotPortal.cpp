// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A stand-in for the desktop's screenshot portal on the session bus, for tests of the Wayland
// path. It answers every Screenshot request the way its command line says:
//
//   fake-screenshot-portal accept FILE   the user picked a region: FILE is the screenshot
//   fake-screenshot-portal cancel        the user cancelled
//   fake-screenshot-portal fail          the portal failed
#include <cstdio>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

class FakeScreenshot : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    FakeScreenshot(uint response, QString file)
        : m_response(response)
        , m_file(std::move(file))
    { }

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString &, const QVariantMap &options, const QDBusMessage &message)
    {
        QString sender = message.service().mid(1);
        sender.replace(u'.', u'_');
        const QString path = u"/org/freedesktop/portal/desktop/request/%1/%2"_s.arg(
            sender, options.value(u"handle_token"_s).toString());
        const bool interactive = options.value(u"interactive"_s).toBool();
        // Answer after the reply, as a real portal does once the user has chosen.
        QTimer::singleShot(0, this, [this, path, interactive] {
            QDBusMessage response
                = QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s, u"Response"_s);
            QVariantMap results;
            if (m_response == 0)
                results.insert(u"uri"_s, QUrl::fromLocalFile(m_file).toString());
            response << (interactive ? m_response : 2u) << results;
            QDBusConnection::sessionBus().send(response);
        });
        return QDBusObjectPath(path);
    }

private:
    uint m_response;
    QString m_file;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString mode = arguments.value(1);
    const uint response = mode == u"accept" ? 0 : mode == u"cancel" ? 1 : 2;
    FakeScreenshot portal(response, arguments.value(2));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(u"/org/freedesktop/portal/desktop"_s, &portal, QDBusConnection::ExportAllSlots)
        || !bus.registerService(u"org.freedesktop.portal.Desktop"_s)) {
        std::fputs("fake-screenshot-portal: cannot register on the session bus\n", stderr);
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "FakeScreenshotPortal.moc"
