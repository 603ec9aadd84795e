// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The built kavri binary, run as a user runs it: arguments, standard input, exit codes, JSON.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "../support/JsonSubset.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runKavri(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(KAVRI_BINARY), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

QJsonObject jsonFrom(const Run &run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qWarning("not one JSON object: %s", run.out.constData());
    return document.object();
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsePrintsTheWholeRecord();
    void parseKindsByArgument_data();
    void parseKindsByArgument();
    void parseReadsEveryByteOfStandardInput();
    void parseKeepsALeadingByteOrderMark();
    void recognizeFiles();
    void usage_data();
    void usage();
    void startingWithoutADesktopPointsToRecognize();
};

void TestCommandLine::parsePrintsTheWholeRecord()
{
    const Run run = runKavri({ u"parse"_s, uR"j(WIFI:T:WPA;S:My\;Net;P:pw;;)j"_s });
    QCOMPARE(run.exitCode, 0);
    const QJsonObject expected = kavri::test::jsonObject(uR"j({
        "type": "WiFiContent", "rawText": "WIFI:T:WPA;S:My\\;Net;P:pw;;",
        "formattedText": "📶 My;Net\n🔒 WPA\n🔑 pw", "isStructured": true,
        "fields": [{"symbol": "wifi", "value": "My;Net"}, {"symbol": "lock.fill", "value": "WPA"},
                   {"symbol": "key.fill", "value": "pw"}],
        "primaryAction": null, "clipboardText": "pw", "clipboardMessage": "Password copied to clipboard",
        "ssid": "My;Net", "password": "pw", "encryptionType": "wpa"})j"_s);
    QCOMPARE(jsonFrom(run), expected);
    // Read top to bottom as documented, not sorted by name.
    QVERIFY2(run.out.startsWith("{\n    \"type\": \"WiFiContent\",\n    \"rawText\""), run.out.constData());
    QVERIFY(run.out.indexOf("\"clipboardMessage\"") < run.out.indexOf("\"ssid\""));
}

void TestCommandLine::parseKindsByArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("contact card") << QStringList { u"parse"_s, u"BEGIN:VCARD\nN:Doe;Jane\nEND:VCARD"_s }
                                  << uR"j({"type":"VCardContent","displayName":"Jane Doe","fields":[]})j"_s;
    QTest::newRow("links") << QStringList { u"parse"_s, u"a.example.com and www.example.org"_s }
                           << uR"j({"type":"URLContent","urls":["http://a.example.com","http://www.example.org"]})j"_s;
    QTest::newRow("text that looks like an option, after --")
        << QStringList { u"parse"_s, u"--"_s, u"-x"_s } << uR"j({"type":"PlainTextContent","rawText":"-x"})j"_s;
    QTest::newRow("a lone dash after -- is text")
        << QStringList { u"parse"_s, u"--"_s, u"-"_s } << uR"j({"rawText":"-"})j"_s;
    QTest::newRow("an option-like TEXT is still TEXT")
        << QStringList { u"parse"_s, u"--"_s } << uR"j({"rawText":"--"})j"_s;
    QTest::newRow("empty text") << QStringList { u"parse"_s, QString() }
                                << uR"j({"type":"PlainTextContent","rawText":""})j"_s;
}

void TestCommandLine::parseKindsByArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const Run run = runKavri(arguments);
    QCOMPARE(run.exitCode, 0);
    KAVRI_COMPARE_JSON_SUBSET(jsonFrom(run), kavri::test::jsonObject(expected));
}

void TestCommandLine::parseReadsEveryByteOfStandardInput()
{
    const Run run
        = runKavri({ u"parse"_s, u"-"_s }, "BEGIN:VCARD\r\nFN:Zo\xC3\xAB\r\nNOTE:bad \xFF byte\r\nEND:VCARD\r\n");
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = jsonFrom(run);
    QCOMPARE(
        json.value(u"rawText"_s).toString(), u"BEGIN:VCARD\r\nFN:Zo\u00EB\r\nNOTE:bad \uFFFD byte\r\nEND:VCARD\r\n"_s);
    QCOMPARE(json.value(u"displayName"_s).toString(), u"Zo\u00EB"_s);
}

void TestCommandLine::parseKeepsALeadingByteOrderMark()
{
    // Checked on the bytes: Qt's own UTF-8 and JSON readers drop a leading U+FEFF themselves.
    const QByteArray expected = "\"rawText\": \"\xEF\xBB\xBFtel:1\"";
    const Run fromArgument = runKavri({ u"parse"_s, u"\uFEFFtel:1"_s });
    QVERIFY2(fromArgument.out.contains(expected), fromArgument.out.constData());
    const Run fromInput = runKavri({ u"parse"_s, u"-"_s }, "\xEF\xBB\xBFtel:1");
    QVERIFY2(fromInput.out.contains(expected), fromInput.out.constData());
    QVERIFY(fromInput.out.contains("\"type\": \"PlainTextContent\""));
}

void TestCommandLine::recognizeFiles()
{
    QTemporaryDir dir;
    const QString text = dir.filePath(u"text.png"_s);
    const QString code = dir.filePath(u"code.png"_s);
    const QString blank = dir.filePath(u"blank.png"_s);
    const QString broken = dir.filePath(u"broken.png"_s);
    QVERIFY(kavri::test::renderText({ u"Meeting at noon, see example.org"_s }, 15).save(text));
    QVERIFY(kavri::test::renderCode(ZXing::BarcodeFormat::QRCode, u"tel:+15550100"_s).save(code));
    QImage white(200, 80, QImage::Format_RGB32);
    white.fill(Qt::white);
    QVERIFY(white.save(blank));
    QFile garbage(broken);
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not an image") > 0);
    garbage.close();

    Run run = runKavri({ u"recognize"_s, u"--json"_s, text, code });
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    QCOMPARE(first.value(u"file"_s).toString(), text);
    QCOMPARE(first.value(u"result"_s).toString(), u"success"_s);
    QCOMPARE(first.value(u"text"_s).toString(), u"Meeting at noon, see example.org"_s);
    QCOMPARE(first.value(u"parsedContent"_s).toObject().value(u"type"_s).toString(), u"URLContent"_s);
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    QCOMPARE(second.value(u"result"_s).toString(), u"qrCodeFound"_s);
    QCOMPARE(second.value(u"payload"_s).toString(), u"tel:+15550100"_s);
    QCOMPARE(second.value(u"parsedContent"_s).toObject().value(u"type"_s).toString(), u"PhoneContent"_s);

    run = runKavri({ u"recognize"_s, u"--qr"_s, text });
    QCOMPARE(run.exitCode, 1); // text is no code
    QVERIFY(run.out.isEmpty());
    run = runKavri({ u"recognize"_s, u"--text"_s, u"--json"_s, blank });
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QJsonDocument::fromJson(run.out).object().value(u"result"_s).toString(), u"noTextFound"_s);
    run = runKavri({ u"recognize"_s, code, broken });
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.contains("tel:+15550100"));
    QVERIFY2(run.err.contains(broken.toUtf8()), run.err.constData());
    run = runKavri({ u"recognize"_s, u"--lang"_s, u"fr-FR"_s, u"--text"_s, text });
    if (!QFile::exists(u"/usr/share/tesseract-ocr/5/tessdata/fra.traineddata"_s)) {
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("tesseract-ocr-fra"), run.err.constData());
    }
}

void TestCommandLine::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutHas");
    QTest::addColumn<QString>("stderrHas");
    QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"kavri parse TEXT"_s << QString();
    QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"kavri --capture-text"_s << QString();
    QTest::newRow("version") << QStringList { u"--version"_s } << 0 << u"Kavri "_s << QString();
    QTest::newRow("unknown command") << QStringList { u"frobnicate"_s } << 2 << QString() << u"frobnicate"_s;
    // Requests for the running Kavri do not mix with commands.
    QTest::newRow("request and command") << QStringList { u"--capture-text"_s, u"parse"_s } << 2 << QString()
                                         << u"--capture-text"_s;
    QTest::newRow("unknown request") << QStringList { u"--capture-txt"_s } << 2 << QString() << u"--capture-txt"_s;
    QTest::newRow("parse without text") << QStringList { u"parse"_s } << 2 << QString() << u"exactly one TEXT"_s;
    QTest::newRow("parse with two texts")
        << QStringList { u"parse"_s, u"a"_s, u"b"_s } << 2 << QString() << u"exactly one TEXT"_s;
}

void TestCommandLine::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutHas);
    QFETCH(QString, stderrHas);
    const Run run = runKavri(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.out).contains(stdoutHas), run.out.constData());
    QVERIFY2(QString::fromUtf8(run.err).contains(stderrHas), run.err.constData());
    QCOMPARE(run.out.isEmpty(), exitCode != 0);
}

void TestCommandLine::startingWithoutADesktopPointsToRecognize()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
        env.remove(name);
    for (const QString &display : { QString(), u":97"_s }) {
        if (!display.isEmpty())
            env.insert(u"DISPLAY"_s, display); // no such X server
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KAVRI_BINARY), { u"--capture-text"_s });
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(process.exitCode(), 2);
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(errors.contains("kavri recognize") && errors.count('\n') == 1, errors.constData());
    }
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
