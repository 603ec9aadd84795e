// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalTools.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// A safety net only: the command line needs minutes for a 4K screen of text scaled 2x.
constexpr int toolTimeoutMs = 900'000;

} // namespace

QString findTool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

ToolRun runTool(const ToolJob &job)
{
    ToolRun run;
    QProcess process;
    if (job.singleThreaded) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"OMP_THREAD_LIMIT"_s, u"1"_s);
        process.setProcessEnvironment(environment);
    }
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(job.program, job.arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(toolTimeoutMs))
        return run;
    const bool ended = process.waitForFinished(toolTimeoutMs);
    run.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    if (!ended) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    return run;
}

QList<ToolRun> runTools(const QList<ToolJob> &jobs, int atOnce)
{
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, atOnce));
    return QtConcurrent::blockingMapped<QList<ToolRun>>(&pool, jobs, runTool);
}

QStringList zxingReaderPayloads(const QByteArray &output)
{
    // Each symbol reads: Text:       "payload, possibly over several lines"\nBytes: ...
    const QString text = QString::fromUtf8(output);
    static const QString textField = u"Text:"_s;
    static const QString end = u"\"\nBytes:"_s;
    QStringList payloads;
    qsizetype at = 0;
    while ((at = text.indexOf(textField, at)) >= 0) {
        if (at > 0 && text.at(at - 1) != u'\n') {
            at += textField.size();
            continue;
        }
        const qsizetype open = text.indexOf(u'"', at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(end, open + 1);
        if (close < 0)
            break;
        payloads.append(text.mid(open + 1, close - open - 1));
        at = close + end.size();
    }
    return payloads;
}

QStringList zbarPayloads(const QByteArray &output)
{
    // <symbol type='QR-Code' ...><data><![CDATA[payload]]></data></symbol>; binary data carries
    // format='base64' on <data>.
    const QString text = QString::fromUtf8(output);
    QStringList payloads;
    qsizetype at = 0;
    while ((at = text.indexOf(u"<data"_s, at)) >= 0) {
        const qsizetype tagEnd = text.indexOf(u'>', at);
        const qsizetype open = text.indexOf(u"<![CDATA["_s, at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u"]]></data>"_s, open);
        if (tagEnd < 0 || close < 0)
            break;
        const bool base64 = text.mid(at, tagEnd - at).contains(u"base64"_s);
        const QString data = text.mid(open + 9, close - open - 9);
        payloads.append(base64 ? QString::fromUtf8(QByteArray::fromBase64(data.toLatin1())) : data);
        at = close;
    }
    return payloads;
}

} // namespace kavri
