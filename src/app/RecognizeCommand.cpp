// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognizeCommand.h"

#include <QIODevice>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtConcurrent>

#include "CommandLine.h"
#include "capture/RecognitionEngine.h"
#include "capture/RecognizedContent.h"
#include "content/ContentParser.h"
#include "content/ParsedContentJson.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

enum class Steps { codesThenText, codes, text };

struct Options
{
    Steps steps = Steps::codesThenText;
    std::optional<QString> language;
    QStringList customWords;
    bool json = false;
    QStringList files;
};

struct FileResult
{
    QString file;
    QString result; // success, qrCodeFound, noTextFound, noQRCodeFound, error
    QString text; // the text, the payload or the error
    std::optional<ParsedContent> content;
};

// Words separated by commas; blanks around them and empty words dropped.
QStringList wordList(const QString &text)
{
    QStringList words;
    for (const QString &piece : text.split(u',')) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

std::variant<Options, QString> parseOptions(const QStringList &arguments)
{
    Options options;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (onlyFiles || !argument.startsWith(u'-') || argument == u"-") {
            options.files.append(argument);
        } else if (argument == u"--") {
            onlyFiles = true;
        } else if (argument == u"--qr" || argument == u"--text") {
            if (options.steps != Steps::codesThenText)
                return u"--qr and --text exclude each other"_s;
            options.steps = argument == u"--qr" ? Steps::codes : Steps::text;
        } else if (argument == u"--json") {
            options.json = true;
        } else if ((argument == u"--lang" || argument == u"--words") && i + 1 < arguments.size()) {
            if (argument == u"--lang")
                options.language = arguments[++i];
            else
                options.customWords = wordList(arguments[++i]);
        } else {
            return u"unknown or incomplete option \"%1\""_s.arg(argument);
        }
    }
    if (options.files.isEmpty())
        return u"recognize needs at least one image FILE"_s;
    return options;
}

FileResult failed(const QString &file, const KavriError &error)
{
    return { file, u"error"_s, error.errorDescription(), std::nullopt };
}

FileResult recognizeFile(const QString &file, const Options &options)
{
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull())
        return { file, u"error"_s, u"cannot read the image: %1"_s.arg(reader.errorString()), std::nullopt };

    if (options.steps != Steps::text) {
        const Outcome<QStringList> codes = RecognitionEngine::detectBarcodesNow(image);
        if (const auto *error = std::get_if<KavriError>(&codes))
            return failed(file, *error);
        const QStringList &payloads = std::get<QStringList>(codes);
        if (!payloads.isEmpty()) {
            const QString payload = RecognizedContent::joinedPayloads(payloads);
            return { file, u"qrCodeFound"_s, payload, ContentParser::parse(payload) };
        }
        if (options.steps == Steps::codes)
            return { file, u"noQRCodeFound"_s, {}, std::nullopt };
    }
    const Outcome<QString> recognized
        = RecognitionEngine::recognizeTextNow(image, options.language, options.customWords);
    if (const auto *error = std::get_if<KavriError>(&recognized))
        return failed(file, *error);
    const QString &text = std::get<QString>(recognized);
    if (text.isEmpty())
        return { file, u"noTextFound"_s, {}, std::nullopt };
    return { file, u"success"_s, text, RecognizedContent::forText(text) };
}

QByteArray jsonLine(const FileResult &result)
{
    QJsonObject object { { u"file"_s, result.file }, { u"result"_s, result.result } };
    if (result.result == u"success")
        object.insert(u"text"_s, result.text);
    else if (result.result == u"qrCodeFound")
        object.insert(u"payload"_s, result.text);
    else if (result.result == u"error")
        object.insert(u"error"_s, result.text);
    if (result.content)
        object.insert(u"parsedContent"_s, toJson(*result.content));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

RecognizeCommand::RecognizeCommand(QIODevice &output, QIODevice &errors)
    : m_output(output)
    , m_errors(errors)
{ }

int RecognizeCommand::run(const QStringList &arguments)
{
    const auto parsed = parseOptions(arguments);
    if (const auto *problem = std::get_if<QString>(&parsed)) {
        m_errors.write(CommandLine::usageErrorText(*problem));
        return Failed;
    }
    const Options &options = std::get<Options>(parsed);
    const QList<FileResult> results = QtConcurrent::blockingMapped(RecognitionEngine::threadPool(), options.files,
        [&options](const QString &file) { return recognizeFile(file, options); });

    int exitCode = AllFound;
    for (const FileResult &result : results) {
        if (result.result == u"error") {
            m_errors.write(u"kavri: %1: %2\n"_s.arg(result.file, result.text).toUtf8());
            exitCode = Failed;
        } else if (result.text.isEmpty() && exitCode == AllFound) {
            exitCode = SomeFoundNothing;
        }
        if (options.json) {
            m_output.write(jsonLine(result));
        } else if (!result.text.isEmpty() && result.result != u"error") {
            if (options.files.size() > 1)
                m_output.write((u"==> "_s + result.file + u" <==\n"_s).toUtf8());
            m_output.write((result.text + u'\n').toUtf8());
        }
    }
    return exitCode;
}

} // namespace kavri
