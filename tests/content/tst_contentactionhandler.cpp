// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The content actions against the desktop's real services: URLs are caught where the desktop
// would open them, the clipboard is the real one, files land in a private temporary directory.
// Only the save dialog is answered by the test.
#include <memory>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "content/ContentActionHandler.h"
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

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void opensWhatThePayloadBuilds_data();
    void opensWhatThePayloadBuilds();
    void failsWithoutOpening_data();
    void failsWithoutOpening();
    void copyNumberReplacesTheClipboard();
    void addContactOpensAFreshFileEachTime();
    void addContactReportsAnUnwritableTemporaryDirectory_data();
    void addContactReportsAnUnwritableTemporaryDirectory();
    void saveContactWritesWhereTheUserChose_data();
    void saveContactWritesWhereTheUserChose();
    void saveContactCancelledOrUnwritable();

private:
    QString m_systemTemp;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<test::UrlCatcher> m_catcher;
    std::unique_ptr<test::FakeActionEnvironment> m_environment;
    std::unique_ptr<ContentActionHandler> m_handler;
};

void TestContentActionHandler::initTestCase()
{
    m_systemTemp = QDir::tempPath();
    // Payload text in the log is what one case checks.
    qunsetenv("KAVRI_LOG_PRIVATE");
}

void TestContentActionHandler::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    // A fresh temporary directory for every case, so each sees only its own files.
    m_temp = std::make_unique<QTemporaryDir>(m_systemTemp + u"/kavri-actions-XXXXXX"_s);
    QVERIFY(m_temp->isValid());
    qputenv("TMPDIR", QFile::encodeName(m_temp->path()));
    // Every scheme a payload might name, and none at all: whatever is opened is caught here.
    m_catcher = std::make_unique<test::UrlCatcher>(QStringList { u"http"_s, u"https"_s, u"ftp"_s, u"mailto"_s, u"tel"_s,
        u"sms"_s, u"file"_s, u"javascript"_s, u"kavri-settings"_s, u"x-app"_s, QString() });
    m_environment = std::make_unique<test::FakeActionEnvironment>();
    m_handler = std::make_unique<ContentActionHandler>(*m_environment);
}

void TestContentActionHandler::cleanup()
{
    m_handler.reset();
    m_environment.reset();
    m_catcher.reset();
}

void TestContentActionHandler::opensWhatThePayloadBuilds_data()
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
    QTest::newRow("one link opens only that one")
        << links << u"http://b.example"_s << QStringList { u"http://b.example"_s };

    QTest::newRow("message with body") << ParsedContent(SMSContent(u"raw"_s, u"+15550100"_s, u"Hello there"_s))
                                       << u"sendSMS"_s << QStringList { u"sms:+15550100?body=Hello%20there"_s };
    QTest::newRow("message body keeps its separators")
        << ParsedContent(SMSContent(u"raw"_s, u"+15550100"_s, u"a&b=c#d+e%f \u00fc"_s)) << u"sendSMS"_s
        << QStringList { u"sms:+15550100?body=a%26b%3Dc%23d%2Be%25f%20%C3%BC"_s };
    QTest::newRow("message with empty body has no query") << ParsedContent(SMSContent(u"raw"_s, u"+15550100"_s, u""_s))
                                                          << u"sendSMS"_s << QStringList { u"sms:+15550100"_s };
    QTest::newRow("e-mail to a recipient only has no query")
        << ParsedContent(EmailContent(u"raw"_s, u"a@example.com"_s, std::nullopt, u""_s)) << u"sendEmail"_s
        << QStringList { u"mailto:a@example.com"_s };
    QTest::newRow("e-mail subject before body")
        << ParsedContent(EmailContent(u"raw"_s, u"a@example.com"_s, u"Hi & bye"_s, u"See you?"_s)) << u"sendEmail"_s
        << QStringList { u"mailto:a@example.com?subject=Hi%20%26%20bye&body=See%20you%3F"_s };
    QTest::newRow("recipient cannot smuggle a query")
        << ParsedContent(EmailContent(u"raw"_s, u"a@example.com?bcc=b@example.com"_s, std::nullopt, std::nullopt))
        << u"sendEmail"_s << QStringList { u"mailto:a@example.com%3Fbcc=b@example.com"_s };
    QTest::newRow("call") << ParsedContent(PhoneContent(u"tel:+15550100"_s, u"+15550100"_s)) << u"call"_s
                          << QStringList { u"tel:+15550100"_s };
}

void TestContentActionHandler::opensWhatThePayloadBuilds()
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
    for (const QUrl &url : std::as_const(m_catcher->opened)) {
        QVERIFY2(url.isValid(), qPrintable(url.errorString()));
        texts.append(url.toString(QUrl::FullyEncoded));
    }
    QCOMPARE(texts, opened);
}

void TestContentActionHandler::failsWithoutOpening_data()
{
    QTest::addColumn<ParsedContent>("content");
    QTest::addColumn<QString>("actionId");
    QTest::addColumn<ActionFailure>("failure");
    QTest::addColumn<QString>("log");

    const ParsedContent link = URLContent(u"raw"_s, { QUrl(u"https://a.example"_s) });
    const ActionFailure invalidUrl { u"Could Not Open URL"_s, u"The URL is invalid."_s };
    for (const QString &id : { u"file:///etc/passwd"_s, u"javascript:alert(1)"_s, u"kavri-settings:privacy"_s,
             u"x-app://run?cmd=rm"_s, u"a.example/path"_s, u"http://a b.example"_s }) {
        QTest::addRow("link %s", qPrintable(id))
            << link << id << invalidUrl
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
    QTest::newRow("number with spaces is not a strict URL")
        << ParsedContent(PhoneContent(u"raw"_s, u"+1 555 0100"_s)) << u"call"_s
        << ActionFailure { u"Could Not Make Call"_s, u"Failed to open FaceTime with the provided phone number."_s }
        << u"Failed to create phone URL from: tel:\\+1 555 0100"_s;

    const ActionFailure unknown { u"Unknown Action"_s, u"The requested action is not recognized."_s };
    const ParsedContent phone = PhoneContent(u"raw"_s, u"+15550100"_s);
    QTest::newRow("message action on a phone number")
        << phone << u"sendSMS"_s << unknown << u"Unknown action 'sendSMS' for content type PhoneContent"_s;
    QTest::newRow("identifiers are case-sensitive")
        << phone << u"Call"_s << unknown << u"Unknown action 'Call' for content type PhoneContent"_s;
    QTest::newRow("Wi-Fi offers nothing")
        << ParsedContent(WiFiContent(u"raw"_s, u"Cafe"_s, u"pw"_s, u"wpa"_s)) << u"copyNumber"_s << unknown
        << u"Unknown action 'copyNumber' for content type WiFiContent"_s;
}

void TestContentActionHandler::failsWithoutOpening()
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

void TestContentActionHandler::copyNumberReplacesTheClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    auto *previous = new QMimeData;
    previous->setText(u"tel:+15550100"_s);
    previous->setImageData(QImage(4, 4, QImage::Format_RGB32));
    clipboard->setMimeData(previous);

    QVERIFY(succeeded(m_handler->perform(u"copyNumber"_s, PhoneContent(u"tel:+15550100"_s, u"+15550100"_s))));
    QCOMPARE(clipboard->text(), u"+15550100"_s);
    QVERIFY(!clipboard->mimeData()->hasImage());
}

void TestContentActionHandler::addContactOpensAFreshFileEachTime()
{
    const VCardContent contact(card, u"Zo\u00eb"_s, {});
    QVERIFY(succeeded(m_handler->perform(u"addContact"_s, contact)));
    QVERIFY(succeeded(m_handler->perform(u"addContact"_s, contact)));

    QCOMPARE(m_catcher->opened.size(), 2);
    QVERIFY(m_catcher->opened[0] != m_catcher->opened[1]);
    const QRegularExpression uuidName(u"^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\.vcf$"_s);
    for (const QUrl &url : std::as_const(m_catcher->opened)) {
        const QFileInfo file(url.toLocalFile());
        QCOMPARE(file.absolutePath(), QDir(m_temp->path()).absolutePath());
        QVERIFY2(uuidName.match(file.fileName()).hasMatch(), qPrintable(file.fileName()));
        QCOMPARE(readText(file.filePath()), card);
    }
    // Written atomically: nothing but the two cards is left behind.
    QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestContentActionHandler::addContactReportsAnUnwritableTemporaryDirectory_data()
{
    QTest::addColumn<bool>("fileInTheWay");
    QTest::newRow("temporary directory missing") << false;
    QTest::newRow("temporary directory is a file") << true;
}

void TestContentActionHandler::addContactReportsAnUnwritableTemporaryDirectory()
{
    QFETCH(bool, fileInTheWay);
    const QString tmp = m_temp->filePath(u"tmp"_s);
    QFile file(tmp);
    QVERIFY(!fileInTheWay || file.open(QIODevice::WriteOnly));
    qputenv("TMPDIR", QFile::encodeName(tmp));

    expectLog(QtCriticalMsg, u"Failed to write vCard to temp file: .+"_s);
    const ActionResult result = m_handler->perform(u"addContact"_s, VCardContent(card, std::nullopt, {}));
    QVERIFY(result.isFailure());
    QCOMPARE(result.failure()->title, u"Could Not Add Contact"_s);
    QVERIFY2(result.failure()->message.contains(QRegularExpression(u"^Failed to create contact file: .+"_s)),
        qPrintable(result.failure()->message));
    QCOMPARE(m_catcher->opened, QList<QUrl>());
    // Nor anywhere else, such as the working directory.
    QCOMPARE(QDir().entryList({ u"*.vcf"_s }, QDir::Files), QStringList());
}

void TestContentActionHandler::saveContactWritesWhereTheUserChose_data()
{
    QTest::addColumn<std::optional<QString>>("displayName");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<bool>("answerAtOnce");
    QTest::newRow("separators become dashes") << std::optional<QString>(u"A/B: C"_s) << u"A-B- C.vcf"_s << false;
    QTest::newRow("no name, answered at once") << std::optional<QString>() << u"contact.vcf"_s << true;
    QTest::newRow("empty name") << std::optional<QString>(u""_s) << u"contact.vcf"_s << false;
}

void TestContentActionHandler::saveContactWritesWhereTheUserChose()
{
    QFETCH(std::optional<QString>, displayName);
    QFETCH(QString, proposed);
    QFETCH(bool, answerAtOnce);

    const QString path = m_temp->filePath(u"chosen.vcf"_s);
    if (answerAtOnce)
        m_environment->answerAtOnce = path;
    QList<VCardResult> results;
    const ActionResult result = m_handler->perform(u"saveContact"_s, VCardContent(card, displayName, {}),
        [&](const VCardResult &outcome) { results.append(outcome); });
    QVERIFY(std::holds_alternative<ActionResult::Async>(result.value));
    QCOMPARE(m_environment->proposedNames, QStringList { proposed });
    // Even an answer given at once reaches the caller only after it has seen Async.
    QVERIFY(results.isEmpty());

    m_environment->answer(path);
    QTRY_COMPARE(results.size(), 1);
    QCOMPARE(results.first(), VCardResult());
    QCOMPARE(readText(path), card);
    QCOMPARE(m_catcher->opened, QList<QUrl>());
}

void TestContentActionHandler::saveContactCancelledOrUnwritable()
{
    QList<VCardResult> results;
    const auto save = [&] {
        m_handler->perform(u"saveContact"_s, VCardContent(card, std::nullopt, {}),
            [&](const VCardResult &outcome) { results.append(outcome); });
    };
    save();
    m_environment->answer(std::nullopt);
    QCoreApplication::processEvents();
    QCOMPARE(results.size(), 0);

    // A folder in the way of the file: nothing may replace it.
    const QString path = m_temp->filePath(u"taken.vcf"_s);
    QVERIFY(QDir().mkpath(path + u"/inside"_s));
    save();
    expectLog(QtCriticalMsg, u"Failed to save vCard: .+"_s);
    m_environment->answer(path);
    QTRY_COMPARE(results.size(), 1);
    QVERIFY(results.first());
    QCOMPARE(results.first()->title, u"Could Not Save Contact"_s);
    QVERIFY2(results.first()->message.contains(QRegularExpression(u"^Failed to save file: .+"_s)),
        qPrintable(results.first()->message));
    QVERIFY(QFileInfo(path + u"/inside"_s).isDir());
}

QTEST_MAIN(TestContentActionHandler)
#include "tst_contentactionhandler.moc"
