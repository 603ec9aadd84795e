// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The content actions against the desktop's real services: URLs are caught where the desktop
// would open them, the clipboard is the real one, files land in a private temporary directory.
// Only the save dialog is answered by the test.
#include <memory>

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "content/ContentActionHandler.h"
#include "content/ContentParser.h"
#include "support/FakeActionEnvironment.h"

using namespace Qt::StringLiterals;
using namespace kavri;

namespace {

const QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zo\u00eb \u738b\r\nEND:VCARD\r\n"_s;

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void expectLog(QtMsgType type, const QString &pattern)
{
    QTest::ignoreMessage(type, QRegularExpression(u'^' + pattern + u'$'));
}

bool succeeded(const ActionResult &result)
{
    return std::holds_alternative<ActionResult::Success>(result.value);
}

} // namespace

class TestContentActionHandler : public QObject
{
    Q_OBJECT

    QString m_systemTemp = QDir::tempPath();
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<test::UrlCatcher> m_catcher;
    std::unique_ptr<test::FakeActionEnvironment> m_environment;
    std::unique_ptr<ContentActionHandler> m_handler;
    QList<VCardResult> m_results;

    void saveContact(const std::optional<QString> &displayName = std::nullopt)
    {
        const ActionResult result = m_handler->perform(u"saveContact"_s, VCardContent(card, displayName, {}),
            [this](const VCardResult &outcome) { m_results.append(outcome); });
        QVERIFY(std::holds_alternative<ActionResult::Async>(result.value));
    }

private Q_SLOTS:
    // Payload text in the log is what one case checks.
    void initTestCase() { qunsetenv("KAVRI_LOG_PRIVATE"); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        // A fresh temporary directory for every case, so each sees only its own files.
        m_temp = std::make_unique<QTemporaryDir>(m_systemTemp + u"/kavri-actions-XXXXXX"_s);
        QVERIFY(m_temp->isValid());
        qputenv("TMPDIR", QFile::encodeName(m_temp->path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_temp->path()));
        // A desktop of its own: one application for calls and messages, none for anything else.
        QVERIFY(QDir().mkpath(m_temp->filePath(u"data/applications"_s)));
        QVERIFY(QDir().mkpath(m_temp->filePath(u"config"_s)));
        QFile dialer(m_temp->filePath(u"data/applications/dialer.desktop"_s));
        QVERIFY(dialer.open(QIODevice::WriteOnly));
        dialer.write("[Desktop Entry]\nType=Application\nName=Dialer\nExec=true %u\n"
                     "MimeType=x-scheme-handler/tel;x-scheme-handler/sms;\n");
        dialer.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_temp->filePath(u"data"_s)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_temp->filePath(u"config"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_temp->filePath(u"none"_s)));
        // Every scheme a payload might name, and none at all: whatever is opened is caught here.
        m_catcher = std::make_unique<test::UrlCatcher>(QStringList { u"http"_s, u"https"_s, u"ftp"_s, u"mailto"_s,
            u"tel"_s, u"sms"_s, u"file"_s, u"javascript"_s, u"x-app"_s, QString() });
        m_environment = std::make_unique<test::FakeActionEnvironment>();
        m_handler = std::make_unique<ContentActionHandler>(*m_environment);
        m_results.clear();
    }

    void cleanup()
    {
        m_handler.reset();
        m_environment.reset();
        m_catcher.reset();
    }

    void opensWhatThePayloadBuilds_data()
    {
        QTest::addColumn<ParsedContent>("content");
        QTest::addColumn<QString>("actionId");
        QTest::addColumn<QStringList>("opened");
        const ParsedContent links = URLContent(u"raw"_s,
            { QUrl(u"https://a.example/x?q=1"_s), QUrl(u"file:///home/u/.ssh/id_rsa"_s), QUrl(u"http://b.example"_s),
                QUrl(u"javascript:alert(1)"_s), QUrl(u"ftp://c.example/f"_s) });
        QTest::newRow("openAll opens the safe links in order")
            << links << u"openAll"_s
            << QStringList { u"https://a.example/x?q=1"_s, u"http://b.example"_s, u"ftp://c.example/f"_s };
        QTest::newRow("one link") << links << u"http://b.example"_s << QStringList { u"http://b.example"_s };
        QTest::newRow("message body keeps its separators")
            << ParsedContent(SMSContent(u"raw"_s, u"+15550100"_s, u"a&b=c#d+e%f \u00fc"_s)) << u"sendSMS"_s
            << QStringList { u"sms:+15550100?body=a%26b%3Dc%23d%2Be%25f%20%C3%BC"_s };
        QTest::newRow("message with empty body has no query")
            << ParsedContent(SMSContent(u"raw"_s, u"+15550100"_s, u""_s)) << u"sendSMS"_s
            << QStringList { u"sms:+15550100"_s };
        QTest::newRow("e-mail subject before body")
            << ParsedContent(EmailContent(u"raw"_s, u"a@example.com"_s, u"Hi & bye"_s, u"See you?"_s)) << u"sendEmail"_s
            << QStringList { u"mailto:a@example.com?subject=Hi%20%26%20bye&body=See%20you%3F"_s };
        QTest::newRow("copies go along to the mail program")
            << ContentParser::parse(u"mailto:a@example.com?cc=b@example.com&bcc=c@example.com&subject=Hi there"_s)
            << u"sendEmail"_s
            << QStringList { u"mailto:a@example.com?subject=Hi%20there&cc=b%40example.com&bcc=c%40example.com"_s };
        QTest::newRow("recipient cannot smuggle a query")
            << ParsedContent(EmailContent(u"raw"_s, u"a@example.com?bcc=b@example.com"_s, std::nullopt, u""_s))
            << u"sendEmail"_s << QStringList { u"mailto:a@example.com%3Fbcc=b@example.com"_s };
        QTest::newRow("call") << ParsedContent(PhoneContent(u"tel:+15550100"_s, u"+15550100"_s)) << u"call"_s
                              << QStringList { u"tel:+15550100"_s };
        // As numbers are printed; "Call" failed on the spaces.
        QTest::newRow("call a number written with spaces, brackets, dots and dashes")
            << ParsedContent(PhoneContent(u"tel:+1 (555) 010.01-00"_s, u"+1 (555) 010.01-00"_s)) << u"call"_s
            << QStringList { u"tel:+15550100100"_s };
        QTest::newRow("message to a number written with spaces")
            << ParsedContent(SMSContent(u"raw"_s, u"+1 555 0100"_s, std::nullopt)) << u"sendSMS"_s
            << QStringList { u"sms:+15550100"_s };
    }

    void opensWhatThePayloadBuilds()
    {
        QFETCH(ParsedContent, content);
        QFETCH(QString, actionId);
        QFETCH(QStringList, opened);
        if (actionId == u"openAll") {
            expectLog(QtWarningMsg, u"Skipping a link Kavri does not open: file:///home/u/.ssh/id_rsa"_s);
            expectLog(QtWarningMsg, u"Skipping a link Kavri does not open: javascript:alert\\(1\\)"_s);
        }
        QVERIFY(succeeded(m_handler->perform(actionId, content, [](const VCardResult &) { QFAIL("completed"); })));
        QStringList texts;
        for (const QUrl &url : std::as_const(m_catcher->opened))
            texts.append(url.toString(QUrl::FullyEncoded));
        QCOMPARE(texts, opened);
    }

    void failsWithoutOpening_data()
    {
        QTest::addColumn<ParsedContent>("content");
        QTest::addColumn<QString>("actionId");
        QTest::addColumn<ActionFailure>("failure");
        QTest::addColumn<QString>("log");
        const ParsedContent link = URLContent(u"raw"_s, { QUrl(u"https://a.example"_s) });
        for (const QString &id :
            { u"file:///etc/passwd"_s, u"x-app://run?cmd=rm"_s, u"a.example/path"_s, u"http://a b.example"_s }) {
            QTest::addRow("link %s", qPrintable(id))
                << link << id << ActionFailure { u"Could Not Open URL"_s, u"The URL is invalid."_s }
                << u"Invalid URL string passed as action ID: "_s + QRegularExpression::escape(id);
        }
        const QString couldNotSend = u"Could Not Send Message"_s;
        QTest::newRow("message without number keeps the body out of the log")
            << ParsedContent(SMSContent(u"raw"_s, QString(), u"secret"_s)) << u"sendSMS"_s
            << ActionFailure { couldNotSend, u"No phone number provided."_s }
            << u"SMS phone number is empty, body: <private>"_s;
        QTest::newRow("message number that forms no URL")
            << ParsedContent(SMSContent(u"raw"_s, u"//5550100"_s, u"hi"_s)) << u"sendSMS"_s
            << ActionFailure { couldNotSend, u"Failed to open Messages app with the provided phone number."_s }
            << u"Failed to create SMS URL for phone: //5550100, components: .*"_s;
        QTest::newRow("recipient that forms no URL")
            << ParsedContent(EmailContent(u"raw"_s, u"//a@example.com"_s, std::nullopt, std::nullopt)) << u"sendEmail"_s
            << ActionFailure { u"Could Not Send Email"_s, u"Failed to open email client with the provided address."_s }
            << u"Failed to create mailto URL for: //a@example.com"_s;
        // Spaces are taken out of a number; a broken escape stays.
        QTest::newRow("number that is no strict URL")
            << ParsedContent(PhoneContent(u"raw"_s, u"+1 555 %zz"_s)) << u"call"_s
            << ActionFailure { u"Could Not Make Call"_s, u"Failed to open FaceTime with the provided phone number."_s }
            << u"Failed to create phone URL from: tel:\\+1555%zz"_s;
        const ActionFailure unknown { u"Unknown Action"_s, u"The requested action is not recognized."_s };
        QTest::newRow("message action on a phone number")
            << ParsedContent(PhoneContent(u"raw"_s, u"+15550100"_s)) << u"sendSMS"_s << unknown
            << u"Unknown action 'sendSMS' for content type PhoneContent"_s;
    }

    void failsWithoutOpening()
    {
        QFETCH(ParsedContent, content);
        QFETCH(QString, actionId);
        QFETCH(ActionFailure, failure);
        QFETCH(QString, log);
        expectLog(QtCriticalMsg, log);
        const ActionResult result = m_handler->perform(actionId, content);
        QVERIFY(result.isFailure());
        QCOMPARE(*result.failure(), failure);
        QCOMPARE(m_catcher->opened, QList<QUrl>());
    }

    void copyNumberReplacesTheClipboard()
    {
        auto *previous = new QMimeData;
        previous->setText(u"tel:+15550100"_s);
        previous->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(previous);
        QVERIFY(succeeded(m_handler->perform(u"copyNumber"_s, PhoneContent(u"tel:+15550100"_s, u"+15550100"_s))));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"+15550100"_s);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void addContactOpensAFreshFileEachTimeOrFails()
    {
        const QString folder = m_temp->filePath(u"kavri-contacts"_s);
        const VCardContent contact(card, u"Zo\u00eb"_s, {});
        QVERIFY(succeeded(m_handler->perform(u"addContact"_s, contact)));
        QVERIFY(succeeded(m_handler->perform(u"addContact"_s, contact)));
        QCOMPARE(m_catcher->opened.size(), 2);
        QVERIFY(m_catcher->opened[0] != m_catcher->opened[1]);
        // The user's alone (owner, group and others bits): personal data, in the runtime folder.
        QCOMPARE(QFileInfo(folder).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QRegularExpression uuidName(u"^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\.vcf$"_s);
        for (const QUrl &url : std::as_const(m_catcher->opened)) {
            const QFileInfo file(url.toLocalFile());
            QCOMPARE(file.absolutePath(), QDir(folder).absolutePath());
            QVERIFY2(uuidName.match(file.fileName()).hasMatch(), qPrintable(file.fileName()));
            QCOMPARE(readText(file.filePath()), card);
            QCOMPARE(file.permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
        }
        // Written atomically: nothing but the two cards is left behind.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);

        // Kavri quitting takes them away; a card an earlier run left goes after a day.
        m_handler.reset();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        QFile stale(QDir(folder).filePath(u"old.vcf"_s));
        QFile recent(QDir(folder).filePath(u"recent.vcf"_s));
        QVERIFY(stale.open(QIODevice::WriteOnly) && recent.open(QIODevice::WriteOnly));
        QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addSecs(-25 * 3600), QFileDevice::FileModificationTime));
        stale.close();
        recent.close();
        m_handler = std::make_unique<ContentActionHandler>(*m_environment);
        QVERIFY(succeeded(m_handler->perform(u"addContact"_s, contact)));
        QVERIFY(!stale.exists());
        QVERIFY(recent.exists());

        // No folder to be had: the card is not written anywhere else.
        m_catcher->opened.clear();
        QFile blocker(m_temp->filePath(u"not-a-folder"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(blocker.fileName()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(blocker.fileName()));
        expectLog(QtCriticalMsg, u"Failed to write vCard to temp file: .+"_s);
        const ActionResult result = m_handler->perform(u"addContact"_s, contact);
        qunsetenv("XDG_CACHE_HOME");
        QVERIFY(result.isFailure());
        QCOMPARE(result.failure()->title, u"Could Not Add Contact"_s);
        QVERIFY2(result.failure()->message.contains(QRegularExpression(u"^Failed to create contact file: .+"_s)),
            qPrintable(result.failure()->message));
        QCOMPARE(m_catcher->opened, QList<QUrl>());
        // Nor anywhere else, such as the working directory.
        QCOMPARE(QDir().entryList({ u"*.vcf"_s }, QDir::Files), QStringList());
    }

    void withoutAnApplicationTheNumberIsCopied_data()
    {
        QTest::addColumn<ParsedContent>("content");
        QTest::addColumn<QString>("actionId");
        QTest::addColumn<QString>("title");
        QTest::newRow("call") << ParsedContent(PhoneContent(u"tel:+1 555 0100"_s, u"+1 555 0100"_s)) << u"call"_s
                              << u"No App for Calls"_s;
        QTest::newRow("message") << ParsedContent(SMSContent(u"raw"_s, u"+1 555 0100"_s, u"hi"_s)) << u"sendSMS"_s
                                 << u"No App for Messages"_s;
    }
    void withoutAnApplicationTheNumberIsCopied()
    {
        QFETCH(ParsedContent, content);
        QFETCH(QString, actionId);
        QFETCH(QString, title);
        // Most Linux desktops: nothing handles tel: or sms:.
        QVERIFY(QFile::remove(m_temp->filePath(u"data/applications/dialer.desktop"_s)));
        const ActionResult result = m_handler->perform(actionId, content);
        QVERIFY(result.isFailure());
        QCOMPARE(result.failure()->title, title);
        QVERIFY2(result.failure()->message.contains(u"+15550100"_s), qPrintable(result.failure()->message));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"+15550100"_s);
        QCOMPARE(m_catcher->opened, QList<QUrl>());
    }

    void aContactCodeIsHandedOverAsAVCard()
    {
        const ParsedContent parsed = ContentParser::parse(u"MECARD:N:Doe,John;TEL:+15550100;;"_s);
        const auto *contact = parsed.as<VCardContent>();
        QVERIFY(contact);
        QVERIFY(succeeded(m_handler->perform(u"addContact"_s, *contact)));
        QCOMPARE(m_catcher->opened.size(), 1);
        QCOMPARE(readText(m_catcher->opened[0].toLocalFile()),
            u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;;;\r\nFN:John Doe\r\nTEL:+15550100\r\nEND:VCARD\r\n"_s);
    }

    void saveContactWritesWhereTheUserChose_data()
    {
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<bool>("answerAtOnce");
        QTest::newRow("separators become dashes") << u"A/B: C"_s << u"A-B- C.vcf"_s << false;
        QTest::newRow("no name, answered at once") << u""_s << u"contact.vcf"_s << true;
    }

    void saveContactWritesWhereTheUserChose()
    {
        QFETCH(QString, displayName);
        QFETCH(QString, proposed);
        QFETCH(bool, answerAtOnce);
        const QString path = m_temp->filePath(u"chosen.vcf"_s);
        if (answerAtOnce)
            m_environment->answerAtOnce = path;
        saveContact(displayName);
        QCOMPARE(m_environment->proposedNames, QStringList { proposed });
        // Even an answer given at once reaches the caller only after it has seen Async.
        QVERIFY(m_results.isEmpty());
        m_environment->answer(path);
        QTRY_COMPARE(m_results, QList<VCardResult> { VCardResult() });
        QCOMPARE(readText(path), card);
        QCOMPARE(m_catcher->opened, QList<QUrl>());
    }

    void saveContactCancelledOrUnwritable()
    {
        saveContact();
        m_environment->answer(std::nullopt);
        QCoreApplication::processEvents();
        QVERIFY(m_results.isEmpty());

        // A folder in the way of the file: nothing may replace it.
        const QString path = m_temp->filePath(u"taken.vcf"_s);
        QVERIFY(QDir().mkpath(path + u"/inside"_s));
        saveContact();
        expectLog(QtCriticalMsg, u"Failed to save vCard: .+"_s);
        m_environment->answer(path);
        QTRY_COMPARE(m_results.size(), 1);
        QVERIFY(m_results.first());
        QCOMPARE(m_results.first()->title, u"Could Not Save Contact"_s);
        QVERIFY2(m_results.first()->message.contains(QRegularExpression(u"^Failed to save file: .+"_s)),
            qPrintable(m_results.first()->message));
        QVERIFY(QFileInfo(path + u"/inside"_s).isDir());
    }
};

QTEST_MAIN(TestContentActionHandler)
#include "tst_contentactionhandler.moc"
