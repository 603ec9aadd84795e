// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The result card without a display server: what each kind of result shows, when the card goes
// (its timer, hovering, replacement, Escape and no other key) and what its actions do to it.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "PopupHarness.h"
#include "app/popup/SelectableText.h"
#include "content/ContentKinds.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using kavri::test::PopupHarness;
using kavri::test::UrlCatcher;

Q_DECLARE_METATYPE(kavri::PopupType)
Q_DECLARE_METATYPE(std::optional<kavri::ParsedContent>)

namespace {

constexpr double goesAtOnce = 0.05;
// Longer than the fade, so a card that was going to close has closed.
constexpr int pastTheFadeMs = 400;

// Button texts escape "&", which would otherwise become a keyboard mnemonic.
QString unescaped(const QString &text)
{
    return QString(text).replace(u"&&"_s, u"&"_s);
}

// What the card shows, in reading order: labels, texts, "[button]" and "menu: entry, entry".
QStringList shownOn(QWidget *card)
{
    QStringList shown;
    for (QWidget *widget : card->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(card) || widget->objectName() == u"closeButton")
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty())
            shown.append(label->text());
        else if (auto *text = qobject_cast<SelectableText *>(widget))
            shown.append(text->toPlainText());
        else if (auto *tool = qobject_cast<QToolButton *>(widget); tool && tool->menu()) {
            QStringList entries;
            for (const QAction *entry : tool->menu()->actions())
                entries.append(unescaped(entry->text()));
            shown.append(unescaped(tool->text()) + u": "_s + entries.join(u", "_s));
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown.append(u"["_s + unescaped(button->text()) + u"]"_s);
    }
    return shown;
}

void trigger(QWidget *card, const QString &menuEntry)
{
    for (QAction *entry : card->findChild<QToolButton *>(u"actionMenu"_s)->menu()->actions())
        if (unescaped(entry->text()) == menuEntry)
            return entry->trigger();
    QFAIL("no such menu entry");
}

void click(QWidget *card, const QString &button)
{
    QTest::mouseClick(card->findChild<QPushButton *>(button), Qt::LeftButton);
}

void hover(QWidget *card, QEvent::Type enterOrLeave)
{
    QEvent event(enterOrLeave);
    QApplication::sendEvent(card, &event);
}

const SMSContent messageWithoutNumber(u"SMSTO::hi"_s, QString(), u"hi"_s);

} // namespace

class TestResultPopup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Except the offscreen platform's notes on what it cannot do.
    void init() { QTest::failOnWarning(QRegularExpression(u"^(?!This plugin does not support)"_s)); }

    void eachResultShowsWhatItCarries_data()
    {
        QTest::addColumn<PopupType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<ParsedContent>>("content");
        QTest::addColumn<QStringList>("shows");
        const auto row = [](const char *name, PopupType type, const QString &text, std::optional<ParsedContent> content,
                             const QStringList &shows) { QTest::newRow(name) << type << text << content << shows; };
        const QString copied = u"Copied to clipboard"_s;
        const QString link = u"see https://kavri.example"_s;
        row("recognised link", PopupType::success, link, URLContent(link, { QUrl(u"https://kavri.example"_s) }),
            { u"Text Captured"_s, link, copied, u"[Open URL]"_s });
        const QString wifi = u"WIFI:S:Cafe;T:WPA;P:secret;;"_s;
        row("wi-fi code", PopupType::qrCode, wifi, WiFiContent(wifi, u"Cafe"_s, u"secret"_s, u"WPA"_s),
            { u"QR Code Captured"_s, u"Cafe"_s, u"WPA"_s, u"secret"_s, u"Password copied to clipboard"_s });
        // A code without fields shows its payload in the body instead of rows.
        row("plain text code", PopupType::qrCode, u"words"_s, PlainTextContent(u"words"_s),
            { u"QR Code Captured"_s, u"words"_s, copied });
        row("phone code", PopupType::qrCode, u"tel:+491"_s, PhoneContent(u"tel:+491"_s, u"+491"_s),
            { u"QR Code Captured"_s, u"+491"_s, copied, u"Call\u2026: Call, Copy Number"_s });
        const QString links = u"https://a.example/?x=1&y=2 https://b.example/"_s;
        row("links with &", PopupType::qrCode, links,
            URLContent(links, { QUrl(u"https://a.example/?x=1&y=2"_s), QUrl(u"https://b.example/"_s) }),
            { u"QR Code Captured"_s, links, copied,
                u"Open URL\u2026: Open All (2), https://a.example/?x=1&y=2, https://b.example/"_s });
        row("error", PopupType::error, u"It broke"_s, std::nullopt, { u"Error"_s, u"It broke"_s });
        row("cancelled", PopupType::cancelled, u"Nothing captured"_s, std::nullopt, { u"Capture Cancelled"_s });
        const QString permission = u"Kavri needs permission.\n\nGrant access, then try again."_s;
        row("permission", PopupType::permissionDenied, permission,
            URLContent(QString(), { QUrl(u"https://settings.example/"_s) }),
            { u"Permission Required"_s, permission, u"[Open System Settings]"_s });
    }

    void eachResultShowsWhatItCarries()
    {
        QFETCH(PopupType, type);
        QFETCH(QString, text);
        QFETCH(std::optional<ParsedContent>, content);
        QFETCH(QStringList, shows);
        PopupHarness popup;
        QWidget *card = popup.show(text, type, content);
        QVERIFY(card && card->isVisible());
        QCOMPARE(card->windowTitle(), shows.first());
        QCOMPARE(shownOn(card), shows);
        auto *close = card->findChild<QAbstractButton *>(u"closeButton"_s);
        QVERIFY(close && close->isVisibleTo(card));
        QVERIFY(card->rect().contains(QRect(close->mapTo(card, QPoint()), close->size())));
    }

    void aLongWordIsWrappedNotCutOff()
    {
        PopupHarness popup;
        auto *body
            = popup.show(u"https://kavri.example/"_s + QString(300, u'x'))->findChild<SelectableText *>(u"bodyText"_s);
        QTRY_VERIFY(body->height() > 3 * body->fontMetrics().lineSpacing());
        QVERIFY(body->document()->size().width() <= body->viewport()->width() + 1);
    }

    // A negative interval would fire at once: the card must stay up for a while.
    void aNegativeDurationKeepsTheCardUp()
    {
        PopupHarness popup(-1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Popup duration .* cannot be waited for"_s));
        popup.show(u"Hello"_s);
        QTest::qWait(pastTheFadeMs);
        QVERIFY(popup.card());
    }

    void hoveringPausesAndLeavingStartsTheFullDurationAgain()
    {
        PopupHarness popup(goesAtOnce);
        QWidget *card = popup.show(u"Hello"_s);
        hover(card, QEvent::Enter);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), card);
        // Leaving reads the setting again: a countdown resumed from what was left would close now.
        popup.settings.setPopupDuration(3600);
        hover(card, QEvent::Leave);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), card);
        popup.settings.setPopupDuration(goesAtOnce);
        hover(card, QEvent::Enter);
        hover(card, QEvent::Leave);
        QTRY_VERIFY(!popup.card());
    }

    void aNewResultReplacesTheCardAtOnceWithAFullDuration()
    {
        PopupHarness popup;
        const QPointer<QWidget> first = popup.show(u"first"_s);
        popup.settings.setPopupDuration(goesAtOnce);
        QVERIFY(popup.show(u"second"_s, PopupType::error) != first);
        // No fade: the first card is gone in the same moment.
        QVERIFY(!first || !first->isVisible());
        QTRY_VERIFY(!first);
        // The new card counts down from the setting as it was when it appeared.
        QTRY_VERIFY(!popup.card());
    }

    void anOlderCardsFadeLeavesANewerCardAlone()
    {
        PopupHarness popup;
        popup.show(u"first"_s);
        popup.controller.dismissAnimated();
        QVERIFY(popup.card()); // fading, not gone
        QWidget *second = popup.show(u"second"_s, PopupType::qrCode);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), second);
        QVERIFY(second->isVisible());
    }

    void onlyEscapeAndTheCloseButtonCloseTheCard()
    {
        PopupHarness popup;
        QWidget *card = popup.show(u"Hello"_s);
        for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Space, Qt::Key_Q })
            QTest::keyClick(card, key, Qt::ControlModifier);
        QTest::keyClicks(card, u"q"_s);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), card);
        QTest::keyClick(card, Qt::Key_Escape);
        QTRY_VERIFY(!popup.card());

        card = popup.show(QString(), PopupType::cancelled);
        QTest::mouseClick(card->findChild<QAbstractButton *>(u"closeButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!popup.card());
    }

    // Done: the card goes, from a button or, once its menu has closed, a menu entry. Opening the
    // settings is no result, so that card stays.
    void aDoneActionClosesTheCard()
    {
        UrlCatcher catcher({ u"https"_s });
        PopupHarness popup;
        const QUrl link(u"https://kavri.example/"_s);
        click(popup.show(link.toString(), PopupType::qrCode, URLContent(link.toString(), { link })), u"actionButton"_s);
        QTRY_VERIFY(!popup.card());
        trigger(popup.show(u"tel:+491"_s, PopupType::qrCode, PhoneContent(u"tel:+491"_s, u"+491"_s)), u"Copy Number"_s);
        QTRY_VERIFY(!popup.card());
        QCOMPARE(QGuiApplication::clipboard()->text(), u"+491"_s);

        const QUrl page(u"https://settings.example/privacy"_s);
        QWidget *card = popup.show(u"Grant access"_s, PopupType::permissionDenied, URLContent(QString(), { page }));
        click(card, u"settingsButton"_s);
        QCOMPARE(catcher.opened, QList<QUrl>({ link, page }));
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), card);
        QVERIFY(popup.alerts.isEmpty());
    }

    // Failed at once: the alert over the card, which stays. Failed later, once the save dialog has
    // taken over and the card has gone: the alert on its own.
    void aFailedActionShowsTheAlert()
    {
        PopupHarness popup;
        QWidget *card = popup.show(u"SMSTO::hi"_s, PopupType::qrCode, messageWithoutNumber);
        click(card, u"actionButton"_s);
        QCOMPARE(popup.alerts.size(), 1);
        QCOMPARE(popup.alerts.first().failure,
            ActionFailure({ u"Could Not Send Message"_s, u"No phone number provided."_s }));
        QCOMPARE(popup.alerts.first().parent, card);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), card);

        const QString vcard = u"BEGIN:VCARD\nVERSION:3.0\nFN:Ada\nEND:VCARD"_s;
        trigger(popup.show(vcard, PopupType::qrCode, VCardContent(vcard, u"Ada"_s, { { u"person.fill"_s, u"Ada"_s } })),
            u"Save to File\u2026"_s);
        QTRY_COMPARE(popup.environment.proposedNames, QStringList { u"Ada.vcf"_s });
        QTRY_VERIFY(!popup.card());
        QCOMPARE(popup.alerts.size(), 1);
        popup.environment.answer(popup.dir.filePath(u"no/such/folder/Ada.vcf"_s));
        QTRY_COMPARE(popup.alerts.size(), 2);
        QCOMPARE(popup.alerts.last().failure.title, u"Could Not Save Contact"_s);
        QVERIFY(!popup.alerts.last().hadParent);
    }

    // While the alert is open its card must not be deleted, even when a new result replaces it:
    // the alert hangs from it. Escape belongs to the alert then, not to the card.
    void theAlertOutlivesAReplacementOfItsCard()
    {
        PopupHarness popup;
        QPointer<QWidget> newer;
        popup.controller.setFailureAlert([&](const ActionFailure &failure, QWidget *parent) {
            QMessageBox alert(QMessageBox::Warning, failure.title, failure.message, QMessageBox::Ok, parent);
            QTimer::singleShot(0, &alert, [&] { newer = popup.show(u"newer"_s); });
            // The user reads the alert for a while; meanwhile the alert's loop runs on.
            QTimer::singleShot(pastTheFadeMs, &alert, [&] { QTest::keyClick(&alert, Qt::Key_Escape); });
            alert.exec();
        });
        const QPointer<QWidget> older = popup.show(u"SMSTO::hi"_s, PopupType::qrCode, messageWithoutNumber);
        click(older, u"actionButton"_s);
        QVERIFY(newer);
        QTRY_VERIFY(!older);
        QTest::qWait(pastTheFadeMs);
        QCOMPARE(popup.card(), newer.data());
        QTest::keyClick(newer, Qt::Key_Escape);
        QTRY_VERIFY(!popup.card());
    }
};

QTEST_MAIN(TestResultPopup)
#include "tst_resultpopup.moc"
