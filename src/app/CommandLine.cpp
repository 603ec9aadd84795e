// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QIODevice>
#include <QStringDecoder>

#include "BuildInfo.h"
#include "RecognizeCommand.h"
#include "content/ContentParser.h"
#include "content/ParsedContentJson.h"

using namespace Qt::StringLiterals;

namespace kavri {

QString CommandLine::decodeUtf8(const QByteArray &bytes)
{
    // Every byte counts: a leading byte-order mark is kept, invalid sequences become U+FFFD, and
    // so does a sequence cut off at the end, which a decoder with state would keep for more.
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

CommandLine::CommandLine(QIODevice &input, QIODevice &output, QIODevice &errors)
    : m_input(input)
    , m_output(output)
    , m_errors(errors)
{ }

std::optional<QList<AppRequest>> CommandLine::instanceRequests(const QStringList &arguments)
{
    QList<AppRequest> requests;
    for (const QString &argument : arguments) {
        const auto request = AppRequests::fromOption(argument);
        if (!request)
            return std::nullopt;
        requests.append(*request);
    }
    return requests;
}

QString CommandLine::helpText()
{
    return uR"(Usage: kavri [REQUEST...]
       kavri parse TEXT
       kavri parse -
       kavri recognize [--qr | --text] [--lang CODE] [--words W1,W2,...] [--json] FILE...

Kavri reads text and QR codes off the screen, from the system tray.

Without a command, kavri starts Kavri, or hands the requests to the Kavri already
running in your session and exits at once; there is never a second one.

Requests:
  --capture-text      Select a screen region and copy the text in it.
  --capture-qr        Select a screen region and read the QR code in it.
  --toggle-menu       Open or close Kavri's window.
  --import-clipboard  Read the text or code in the image on the clipboard.

Kavri's own shortcuts (Ctrl+Shift+8 text, Ctrl+Shift+9 QR code, Ctrl+Shift+0
window) work on X11 desktops. On Wayland, where applications cannot take global
keys, bind the requests in your desktop's keyboard settings instead, e.g.
  GNOME: Settings > Keyboard > Keyboard Shortcuts > Custom Shortcuts, command
         "kavri --capture-text"
  KDE:   System Settings > Shortcuts > Add Command, "kavri --capture-text"
  Sway:  bindsym Ctrl+Shift+8 exec kavri --capture-text

Commands:
  parse TEXT      Classify TEXT as the payload of a QR code (link, e-mail, phone
                  number, text message, Wi-Fi network, contact card or plain
                  text) and print the result as one JSON object. TEXT is taken
                  exactly as given; write "parse -- -" for a TEXT that is "-".
  parse -         The same for everything read from standard input.
  recognize FILE...
                  Read the codes or the text in image files, as a capture would,
                  without a display or the clipboard: codes first, then text.
                  Prints the text or the code's payload.
    --qr          Only look for QR, Aztec, Data Matrix and PDF417 codes.
    --text        Only recognise text.
    --lang CODE   Recognise text in this language (e.g. de-DE); without it,
                  your own language (when installed) and English.
    --words LIST  Comma-separated words the text may contain (names, jargon).
    --json        One JSON object per file and line: file, result, text or
                  payload, parsedContent (as parse prints it), error.
                  Exit status: 0 when every file gave text or a code, 1 when
                  one gave nothing, 2 on an error (unreadable file, missing
                  language data).

Options:
  -h, --help      Show this help and exit.
  -v, --version   Show the version and exit.
)"_s;
}

int CommandLine::run(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    if (first == u"-h" || first == u"--help") {
        m_output.write(helpText().toUtf8());
        return Success;
    }
    if (first == u"-v" || first == u"--version") {
        m_output.write(
            u"Kavri %1 (%2)\n"_s.arg(QLatin1StringView(BuildInfo::version), QLatin1StringView(BuildInfo::buildNumber))
                .toUtf8());
        return Success;
    }
    if (first == u"parse")
        return parse(arguments.sliced(1));
    if (first == u"recognize")
        return RecognizeCommand(m_output, m_errors).run(arguments.sliced(1));
    return usageError(u"unknown command or option \"%1\""_s.arg(first));
}

int CommandLine::parse(const QStringList &arguments)
{
    // One argument is the TEXT itself, whatever it looks like ("-" aside); "--" before it only
    // matters for a TEXT of "-".
    const bool separated = arguments.size() == 2 && arguments.first() == u"--";
    if (arguments.size() != 1 && !separated)
        return usageError(u"parse takes exactly one TEXT (or \"-\" for standard input)"_s);
    const QString &argument = arguments.last();
    const QString text = (argument == u"-" && !separated) ? decodeUtf8(m_input.readAll()) : argument;
    m_output.write(toJsonText(ContentParser::parse(text)));
    return Success;
}

QByteArray CommandLine::usageErrorText(const QString &message)
{
    return (u"kavri: "_s + message + u"\nTry \"kavri --help\" for more information.\n"_s).toUtf8();
}

int CommandLine::usageError(const QString &message)
{
    m_errors.write(usageErrorText(message));
    return UsageError;
}

} // namespace kavri
