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

Run runKavri(const QStringList &arguments, const QByteArray &input = {},
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
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
    void parsePrintsTheWholeRecord()
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

    void parseTakesAnyOneArgumentAsText_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("a lone dash after -- is text, not standard input")
            << QStringList { u"parse"_s, u"--"_s, u"-"_s };
        QTest::newRow("an option-like TEXT") << QStringList { u"parse"_s, u"--"_s };
        QTest::newRow("empty text") << QStringList { u"parse"_s, QString() };
    }
    void parseTakesAnyOneArgumentAsText()
    {
        QFETCH(QStringList, arguments);
        const Run run = runKavri(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(jsonFrom(run).value(u"rawText"_s).toString(), arguments.last());
    }

    void parseKeepsEveryCharacter()
    {
        // Checked on the bytes: Qt's own UTF-8 and JSON readers drop a leading U+FEFF themselves.
        const Run fromArgument = runKavri({ u"parse"_s, u"\uFEFFtel:1"_s });
        QVERIFY2(fromArgument.out.contains("\"rawText\": \"\xEF\xBB\xBFtel:1\""), fromArgument.out.constData());
        // All of standard input, line ends as they are, an undecodable byte replaced.
        const Run fromInput = runKavri({ u"parse"_s, u"-"_s }, "\xEF\xBB\xBFZo\xC3\xAB\r\nbad \xFF byte\n");
        QVERIFY2(fromInput.out.contains("\"rawText\": \"\xEF\xBB\xBFZo\xC3\xAB\\r\\nbad \xEF\xBF\xBD byte\\n\""),
            fromInput.out.constData());
        // A sequence cut off at the very end is not dropped either.
        const Run cutOff = runKavri({ u"parse"_s, u"-"_s }, "caf\xC3");
        QVERIFY2(cutOff.out.contains("\"rawText\": \"caf\xEF\xBF\xBD\""), cutOff.out.constData());
    }

    void recognizeFiles()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath(u"text.png"_s);
        const QString code = dir.filePath(u"code.png"_s);
        const QString broken = dir.filePath(u"broken.png"_s);
        QVERIFY(kavri::test::renderText({ u"Meeting at noon, see example.org"_s }, 15).save(text));
        QVERIFY(kavri::test::renderCode(ZXing::BarcodeFormat::QRCode, u"tel:+15550100"_s).save(code));
        QFile garbage(broken);
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not an image") > 0);
        garbage.close();

        Run run = runKavri({ u"recognize"_s, u"--json"_s, text, code });
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
        KAVRI_COMPARE_JSON_SUBSET(first,
            QJsonObject({ { u"file"_s, text }, { u"result"_s, u"success"_s },
                { u"text"_s, u"Meeting at noon, see example.org"_s } }));
        QCOMPARE(first.value(u"parsedContent"_s).toObject().value(u"type"_s).toString(), u"URLContent"_s);
        const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
        KAVRI_COMPARE_JSON_SUBSET(
            second, QJsonObject({ { u"result"_s, u"qrCodeFound"_s }, { u"payload"_s, u"tel:+15550100"_s } }));

        run = runKavri({ u"recognize"_s, u"--qr"_s, u"--json"_s, text });
        QCOMPARE(run.exitCode, 1); // text is no code
        QCOMPARE(jsonFrom(run).value(u"result"_s).toString(), u"noQRCodeFound"_s);
        run = runKavri({ u"recognize"_s, code, broken });
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.contains("tel:+15550100"));
        QVERIFY2(run.err.contains(broken.toUtf8()), run.err.constData());
    }

    // 40 megapixels decode to 160 MB, over Qt's default allocation limit.
    void recognizeReadsLargeImages()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"large.png"_s);
        QImage image(8000, 5000, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).drawImage(400, 400, kavri::test::renderCode(ZXing::BarcodeFormat::QRCode, u"large"_s, 12));
        QVERIFY(image.save(file, "PNG", 80));
        const Run run = runKavri({ u"recognize"_s, u"--qr"_s, u"--json"_s, file });
        QCOMPARE(run.exitCode, 0);
        KAVRI_COMPARE_JSON_SUBSET(
            jsonFrom(run), QJsonObject({ { u"result"_s, u"qrCodeFound"_s }, { u"payload"_s, u"large"_s } }));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutHas");
        QTest::addColumn<QString>("stderrHas");
        QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"kavri parse TEXT"_s << QString();
        QTest::newRow("version") << QStringList { u"--version"_s } << 0 << u"Kavri "_s << QString();
        QTest::newRow("unknown command") << QStringList { u"frobnicate"_s } << 2 << QString() << u"frobnicate"_s;
        // Requests for the running Kavri do not mix with commands.
        QTest::newRow("request and command")
            << QStringList { u"--capture-text"_s, u"parse"_s } << 2 << QString() << u"--capture-text"_s;
        QTest::newRow("parse with two texts")
            << QStringList { u"parse"_s, u"a"_s, u"b"_s } << 2 << QString() << u"exactly one TEXT"_s;
    }
    void usage()
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

    void startingWithoutADesktopPointsToRecognize()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
            environment.remove(name);
        for (const QString &display : { QString(), u":97"_s }) {
            if (!display.isEmpty())
                environment.insert(u"DISPLAY"_s, display); // no such X server
            const Run run = runKavri({ u"--capture-text"_s }, {}, environment);
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains("kavri recognize") && run.err.count('\n') == 1, run.err.constData());
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
