// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The coordinator over the real capture service, settings, shortcut registry and clipboard:
// which result flashes what and shows which card, how the flash ends, and the operations on the
// last capture.
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppRootCoordinator.h"
#include "capture/KavriCore.h"
#include "content/ContentKinds.h"
#include "platform/Pasteboard.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "support/CaptureServiceRig.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kavri;
using namespace kavri::test;

namespace {

struct Popup
{
    QString text;
    PopupType type;
    std::optional<ParsedContent> content;
};

} // namespace

class TestAppRootCoordinator : public QObject
{
    Q_OBJECT

private:
    struct Rig : CaptureServiceRig
    {
        QList<Popup> popups;
        AppRootCoordinator coordinator { core, settings, shortcuts, pasteboard,
            [this](const QString &text, PopupType type, const std::optional<ParsedContent> &content) {
                popups.append({ text, type, content });
            },
            60ms };

        // A QR capture that decodes \a payload, from the shortcut to the result.
        void captureCode(const QString &payload)
        {
            recognizer.barcodes = Outcome<QStringList>(QStringList { payload });
            QVERIFY(hotKeys.type({ 25, 768 }));
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::white);
            QVERIFY(capturer.calls.finish(image));
            QTRY_VERIFY(!core.isCapturing());
        }
    };

private Q_SLOTS:
    void everyResultFlashesAndShowsItsCard_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("shownWhenPopupsAreOff");
        QTest::newRow("success") << 0 << u"checkmark.circle.fill"_s << int(PopupType::success) << false;
        QTest::newRow("qrCode") << 1 << u"checkmark.circle.fill"_s << int(PopupType::qrCode) << false;
        QTest::newRow("error") << 2 << u"exclamationmark.circle"_s << int(PopupType::error) << true;
        QTest::newRow("cancelled") << 3 << u"xmark.circle"_s << int(PopupType::cancelled) << false;
        QTest::newRow("noTextFound") << 4 << u"questionmark.circle"_s << int(PopupType::noTextFound) << false;
        QTest::newRow("noQRCodeFound") << 5 << u"questionmark.circle"_s << int(PopupType::noQRCodeFound) << false;
        QTest::newRow("permissionDenied")
            << 6 << u"exclamationmark.circle"_s << int(PopupType::permissionDenied) << true;
    }

    void everyResultFlashesAndShowsItsCard()
    {
        QFETCH(int, index);
        QFETCH(QString, symbol);
        QFETCH(int, type);
        QFETCH(bool, shownWhenPopupsAreOff);
        const std::pair<CaptureResult, QString> results[] = {
            { CaptureResult::Success { u"Hello"_s, ParsedContent(PlainTextContent(u"Hello"_s)) }, u"Hello"_s },
            { CaptureResult::QRCodeFound { u"x"_s, ParsedContent(PlainTextContent(u"x"_s)) }, u"x"_s },
            { CaptureResult::Error { u"Broken"_s }, u"Broken"_s },
            { CaptureResult::Cancelled {}, u"Nothing captured"_s },
            { CaptureResult::NoTextFound {}, u"No text found in the selected area"_s },
            { CaptureResult::NoQRCodeFound {}, u"No QR code found in the selected area"_s },
            { CaptureResult::PermissionDenied {}, {} },
        };
        const auto &[result, text] = results[index];

        Rig rig;
        rig.coordinator.handleCaptureResult(result);
        QCOMPARE(rig.coordinator.menuBarIcon(), symbol);
        QCOMPARE(rig.popups.size(), 1);
        QCOMPARE(int(rig.popups.first().type), type);
        if (!text.isEmpty())
            QCOMPARE(rig.popups.first().text, text);
        else
            QVERIFY(rig.popups.first().text.contains(u"permission"_s));

        rig.settings.setShowResultPopup(false);
        rig.coordinator.handleCaptureResult(result);
        QCOMPARE(rig.popups.size(), shownWhenPopupsAreOff ? 2 : 1);
        QCOMPARE(rig.coordinator.menuBarIcon(), symbol);
        QTRY_COMPARE(rig.coordinator.menuBarIcon(), u"text.viewfinder"_s);
    }

    void aFlashRestartsAndAStyleChangeEndsIt()
    {
        Rig rig;
        rig.settings.setMenuBarIconStyle(MenuBarIconStyle::scope);
        QCOMPARE(rig.coordinator.menuBarIcon(), u"scope"_s);
        QCOMPARE(rig.coordinator.menuBarIconStyle(), MenuBarIconStyle::scope);

        rig.coordinator.handleCaptureResult(CaptureResult::Cancelled {});
        QTest::qWait(40);
        rig.coordinator.handleCaptureResult(CaptureResult::NoTextFound {});
        QTest::qWait(40); // past the first flash's end, within the second's
        QCOMPARE(rig.coordinator.menuBarIcon(), u"questionmark.circle"_s);
        QTRY_COMPARE(rig.coordinator.menuBarIcon(), u"scope"_s);

        rig.coordinator.handleCaptureResult(CaptureResult::Cancelled {});
        QSignalSpy changes(&rig.coordinator, &AppRootCoordinator::menuBarIconChanged);
        rig.settings.setMenuBarIconStyle(MenuBarIconStyle::aSquare);
        QCOMPARE(rig.coordinator.menuBarIcon(), u"a.square"_s);
        QTest::qWait(100);
        QCOMPARE(changes.size(), 1); // no restore after the flash was ended
    }

    void shortcutsStartOneCaptureAtATime()
    {
        Rig rig;
        QVERIFY(rig.hotKeys.type({ 28, 768 }));
        QVERIFY(rig.hotKeys.type({ 28, 768 }));
        QCOMPARE(rig.capturer.calls.open(), size_t(1));
        int toggles = 0;
        rig.coordinator.toggleMenu(); // no handler yet: nothing
        rig.coordinator.setToggleMenuHandler([&toggles] { ++toggles; });
        QVERIFY(rig.hotKeys.type({ 29, 768 }));
        QCOMPARE(toggles, 1);
    }

    void theLastCaptureCanBeCopiedShownAndCleared()
    {
        Rig rig;
        rig.coordinator.showLastResult(); // nothing captured yet
        QVERIFY(rig.popups.isEmpty());

        rig.captureCode(u"WIFI:S:Cafe;T:WPA;P:secret;;"_s);
        QCOMPARE(rig.popups.last().type, PopupType::qrCode);
        rig.pasteboard.setString(u"other"_s);
        rig.coordinator.copyWiFiPassword();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"secret"_s);
        rig.pasteboard.setString(u"other"_s);
        rig.coordinator.showLastResult();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"secret"_s);
        QCOMPARE(rig.popups.last().text, u"WIFI:S:Cafe;T:WPA;P:secret;;"_s);
        QCOMPARE(rig.popups.last().type, PopupType::qrCode);

        rig.captureCode(u"WIFI:S:Open;T:nopass;;"_s);
        rig.pasteboard.setString(u"other"_s);
        rig.coordinator.copyWiFiPassword(); // no password: the clipboard stays
        QCOMPARE(QGuiApplication::clipboard()->text(), u"other"_s);
        rig.coordinator.showLastResult(); // the network name instead
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Open"_s);

        rig.captureCode(u"https://example.org"_s);
        rig.coordinator.showLastResult();
        QCOMPARE(rig.popups.last().type, PopupType::success); // a link is not structured

        QSignalSpy redraws(&rig.coordinator, &AppRootCoordinator::objectWillChange);
        rig.coordinator.clearLastCapture();
        QCOMPARE(redraws.size(), 1);
        QVERIFY(!rig.core.lastParsedContent());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }
};

QTEST_MAIN(TestAppRootCoordinator)
#include "tst_approotcoordinator.moc"
