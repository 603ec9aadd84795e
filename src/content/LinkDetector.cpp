// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkDetector.h"

#include <algorithm>
#include <array>
#include <optional>

#include <libpsl.h>

#include "Logging.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr qsizetype maxHostLength = 253;
constexpr qsizetype maxLabelLength = 63;
constexpr qsizetype maxLocalPartLength = 64;
constexpr qsizetype maxPortDigits = 5;

// Invisible characters (soft hyphen, zero-width space and joiners, byte-order mark): a link ends
// at one, and one inside a name spoils it, so "exam\u00ADple.com" never becomes a link to
// "ple.com".
bool isInvisible(QChar c)
{
    return c.category() == QChar::Other_Format;
}

// Characters that glue a word to what follows: a candidate right after one of them is part of
// something else (a path, another scheme, an identifier) and is not a link of its own.
bool isJoiner(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || QStringView(u".-_@/\\+%&=~#$").contains(c);
}

bool isLabelChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'-';
}

bool isLocalPartChar(QChar c)
{
    return c.isLetterOrNumber() || QStringView(u"._%+-").contains(c);
}

// Where a link ends for certain: white space, control characters, and the characters that
// delimit links in prose and markup.
bool isStop(QChar c)
{
    if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c.isSurrogate()
        || c == QChar::ReplacementCharacter)
        return true;
    // Full-width and CJK punctuation and brackets end a link as their ASCII forms would end a
    // sentence: "https://example.com，谢谢", "「https://example.com/a」".
    return QStringView(u"<>\"`\u3001\u3002\u3008\u3009\u300A\u300B\u300C\u300D\u300E\u300F\u3010\u3011\u3014\u3015"
                       u"\uFF01\uFF08\uFF09\uFF0C\uFF1A\uFF1B\uFF1F\uFF3B\uFF3D\uFF5B\uFF5D")
        .contains(c);
}

// Top-level domains that are also common file extensions: "setup.py" and "README.md" name files,
// so such a bare name is a link only with "www.", a port or a path.
bool isFileExtension(QStringView tld)
{
    static constexpr std::array<QStringView, 12> extensions { u"py", u"md", u"rs", u"zip", u"sh", u"pl", u"pm", u"ps",
        u"cc", u"so", u"ml", u"mov" };
    return std::any_of(extensions.begin(), extensions.end(),
        [tld](QStringView extension) { return tld.compare(extension, Qt::CaseInsensitive) == 0; });
}

// Sentence punctuation and quotes that close a sentence rather than a link.
bool isTrailingPunctuation(QChar c)
{
    // Full-width commas, colons and the like are stops of their own.
    return QStringView(u".,;:!?'\u2018\u2019\u201C\u201D\u00AB\u00BB\u2039\u203A\uFF0E\u2026").contains(c);
}

bool startsWithCI(QStringView text, qsizetype at, QStringView prefix)
{
    return text.size() - at >= prefix.size()
        && text.sliced(at, prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

qsizetype scanToStop(QStringView text, qsizetype from)
{
    while (from < text.size() && !isStop(text[from]))
        ++from;
    return from;
}

// Drops trailing punctuation, and closing brackets that have no opening partner inside the link.
qsizetype trimTrailing(QStringView text, qsizetype start, qsizetype end)
{
    static constexpr std::array<std::pair<char16_t, char16_t>, 3> pairs { { { u'(', u')' }, { u'[', u']' },
        { u'{', u'}' } } };
    std::array<qsizetype, 3> balance {}; // openers minus closers
    for (qsizetype i = start; i < end; ++i) {
        for (size_t p = 0; p < pairs.size(); ++p) {
            balance[p] += (text[i] == pairs[p].first) - (text[i] == pairs[p].second);
        }
    }
    while (end > start) {
        const QChar last = text[end - 1];
        bool drop = isTrailingPunctuation(last);
        for (size_t p = 0; p < pairs.size() && !drop; ++p) {
            if (last == pairs[p].second && balance[p] < 0) {
                ++balance[p];
                drop = true;
            }
        }
        if (!drop)
            break;
        --end;
    }
    return end;
}

// A dotted name starting at `from`: labels of letters, digits and hyphens joined by single dots.
// A trailing dot is not part of it.
struct DomainToken
{
    qsizetype end = 0;
    qsizetype labels = 0;
    qsizetype lastLabelStart = 0;
    bool wellFormed = true; // label lengths and hyphens as DNS allows
};

DomainToken scanDomain(QStringView text, qsizetype from)
{
    DomainToken token { from, 0, from, true };
    qsizetype i = from;
    while (i < text.size() && isLabelChar(text[i])) {
        const qsizetype labelStart = i;
        while (i < text.size() && isLabelChar(text[i]))
            ++i;
        const QStringView label = text.sliced(labelStart, i - labelStart);
        if (label.size() > maxLabelLength || label.startsWith(u'-') || label.endsWith(u'-'))
            token.wellFormed = false;
        ++token.labels;
        token.lastLabelStart = labelStart;
        token.end = i;
        if (i + 1 < text.size() && text[i] == u'.' && isLabelChar(text[i + 1]))
            ++i;
        else
            break;
    }
    if (token.end - from > maxHostLength)
        token.wellFormed = false;
    return token;
}

bool isAsciiHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// ":1234" right after a host.
qsizetype skipPort(QStringView text, qsizetype at)
{
    if (at >= text.size() || text[at] != u':')
        return at;
    qsizetype i = at + 1;
    while (i < text.size() && i - at <= maxPortDigits && isAsciiDigit(text[i]))
        ++i;
    const qsizetype digits = i - at - 1;
    const bool endsThere = i >= text.size() || !text[i].isLetterOrNumber();
    return (digits > 0 && endsThere) ? i : at;
}

// Path, query and fragment after a host (and port), if one starts there.
qsizetype skipPath(QStringView text, qsizetype start, qsizetype at)
{
    if (at < text.size() && QStringView(u"/?#").contains(text[at]))
        return trimTrailing(text, start, scanToStop(text, at));
    return at;
}

bool isValidAuthority(QStringView authority)
{
    const qsizetype at = authority.lastIndexOf(u'@');
    QStringView host = authority.sliced(at + 1);
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 2)
            return false;
        for (const QChar c : host.sliced(1, close - 1)) {
            if (!isAsciiHexDigit(c) && c != u':' && c != u'.')
                return false;
        }
        host = host.sliced(close + 1);
        return host.isEmpty() || host.startsWith(u':');
    }
    const qsizetype colon = host.indexOf(u':');
    if (colon >= 0) {
        for (const QChar c : host.sliced(colon + 1)) {
            if (!isAsciiDigit(c))
                return false;
        }
        host = host.first(colon);
    }
    if (host.endsWith(u'.'))
        host.chop(1);
    if (host.isEmpty())
        return false;
    for (const QChar c : host) {
        if (!isLabelChar(c) && c != u'.' && c != u'_')
            return false;
    }
    return !host.contains(u"..") && !host.startsWith(u'.');
}

std::optional<QUrl> makeUrl(const QString &text, QStringView expectedScheme)
{
    QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme() != expectedScheme)
        return std::nullopt;
    if (expectedScheme != u"mailto" && url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace

struct LinkDetector::Match
{
    QUrl url;
    qsizetype end;
};

// One pass over one text. Every attempt either consumes what it looked at or fails after looking
// at a bounded stretch (or at a stretch it then skips), which keeps the scan linear.
struct LinkDetector::Scanner
{
    const LinkDetector &detector;
    QStringView text;
    qsizetype consumed = 0; // end of the last link found

    // Invisible characters are looked through: "exam\u00ADple.com" holds no boundary before "ple".
    bool atBoundary(qsizetype pos) const
    {
        while (pos > 0 && isInvisible(text[pos - 1]))
            --pos;
        return pos == 0 || !isJoiner(text[pos - 1]);
    }

    // An invisible character at `pos` inside a name ("exam\u00ADple.com"): what was read before it
    // is not the host the text names.
    bool splitsAName(qsizetype pos) const
    {
        return pos + 1 < text.size() && isInvisible(text[pos]) && isLabelChar(text[pos + 1]);
    }

    // A host name ending in a real top-level domain that is more than a public suffix itself.
    bool isRegistrableHost(const DomainToken &token, qsizetype from) const
    {
        if (!token.wellFormed || token.labels < 2)
            return false;
        const QStringView tld = text.sliced(token.lastLabelStart, token.end - token.lastLabelStart);
        return detector.isPublicSuffix(tld) && !detector.isPublicSuffix(text.sliced(from, token.end - from));
    }

    // The scheme ("http", "https" or "ftp") whose "://" starts at `pos`, if any.
    std::optional<QStringView> schemeAt(qsizetype pos) const
    {
        static constexpr std::array<QStringView, 3> schemes { u"https", u"http", u"ftp" };
        for (const QStringView scheme : schemes) {
            if (startsWithCI(text, pos, scheme) && startsWithCI(text, pos + scheme.size(), u"://"))
                return scheme;
        }
        return std::nullopt;
    }

    // A link with a scheme. Everything up to `skipTo` has been looked at, found or not.
    std::optional<Match> schemeLink(qsizetype pos, QStringView scheme, qsizetype &skipTo) const
    {
        const qsizetype authorityStart = pos + scheme.size() + 3;
        const qsizetype spanEnd = scanToStop(text, authorityStart);
        skipTo = spanEnd;
        qsizetype end = trimTrailing(text, authorityStart, spanEnd);
        qsizetype authorityEnd = authorityStart;
        while (authorityEnd < end && !QStringView(u"/?#").contains(text[authorityEnd])) {
            // A comma, semicolon or pipe right after the host ends the link: "example.com,and".
            if (QStringView(u",;|").contains(text[authorityEnd])) {
                end = authorityEnd;
                break;
            }
            ++authorityEnd;
        }
        if (authorityEnd == spanEnd && splitsAName(spanEnd))
            return std::nullopt;
        if (!isValidAuthority(text.sliced(authorityStart, authorityEnd - authorityStart)))
            return std::nullopt;
        if (auto url = makeUrl(text.sliced(pos, end - pos).toString(), scheme))
            return Match { *url, end };
        return std::nullopt;
    }

    // "www.example.org" or a bare "example.org", with an optional port and path. Everything up
    // to `skipTo` has been looked at, found or not.
    std::optional<Match> hostLink(qsizetype pos, qsizetype &skipTo) const
    {
        const DomainToken token = scanDomain(text, pos);
        skipTo = token.end;
        const bool www = startsWithCI(text, pos, u"www.") && token.labels >= 3 && token.wellFormed;
        if (!www && !isRegistrableHost(token, pos))
            return std::nullopt;
        if (token.end < text.size() && (text[token.end] == u'@' || text[token.end] == u'_'))
            return std::nullopt;
        const qsizetype end = skipPath(text, pos, skipPort(text, token.end));
        skipTo = end;
        if (!www && end == token.end
            && isFileExtension(text.sliced(token.lastLabelStart, token.end - token.lastLabelStart)))
            return std::nullopt;
        if (end == token.end && splitsAName(end))
            return std::nullopt;
        if (auto url = makeUrl(u"http://"_s + text.sliced(pos, end - pos), u"http"))
            return Match { *url, end };
        return std::nullopt;
    }

    // "name@example.org" around the "@" at `at`.
    std::optional<Match> emailLink(qsizetype at) const
    {
        qsizetype start = at;
        while (start > 0 && at - start < maxLocalPartLength && isLocalPartChar(text[start - 1]))
            --start;
        if (start < consumed || (start > 0 && isLocalPartChar(text[start - 1])) || !atBoundary(start))
            return std::nullopt;
        while (start < at && text[start] == u'.')
            ++start;
        if (start == at || text[at - 1] == u'.')
            return std::nullopt;

        const DomainToken domain = scanDomain(text, at + 1);
        if (!isRegistrableHost(domain, at + 1))
            return std::nullopt;
        if (domain.end < text.size() && (text[domain.end] == u'@' || text[domain.end] == u'_'))
            return std::nullopt;
        const QString address = text.sliced(start, domain.end - start).toString();
        if (auto url = makeUrl(u"mailto:"_s + address, u"mailto"))
            return Match { *url, domain.end };
        return std::nullopt;
    }

    QList<QUrl> run()
    {
        QList<QUrl> found;
        qsizetype pos = 0;
        while (pos < text.size()) {
            std::optional<Match> match;
            qsizetype next = pos + 1;
            const QChar c = text[pos];
            if (c == u'@') {
                match = emailLink(pos);
            } else if (isLabelChar(c) && atBoundary(pos)) {
                // Nothing inside a stretch that was looked at starts a link of its own.
                const auto scheme = schemeAt(pos);
                match = scheme ? schemeLink(pos, *scheme, next) : hostLink(pos, next);
            }
            if (match) {
                found.append(match->url);
                consumed = match->end;
                next = match->end;
            }
            pos = std::max(next, pos + 1);
        }
        return found;
    }
};

LinkDetector::LinkDetector()
    : m_loaded(psl_latest(nullptr))
    , m_suffixes(m_loaded ? m_loaded : psl_builtin())
{
    if (!m_suffixes)
        qCWarning(lcContent) << "No public suffix list; bare domain names and e-mail addresses are not detected";
}

LinkDetector::~LinkDetector()
{
    psl_free(m_loaded);
}

const LinkDetector &LinkDetector::shared()
{
    static const LinkDetector detector;
    return detector;
}

QList<QUrl> LinkDetector::detect(QStringView text) const
{
    return Scanner { *this, text }.run();
}

// Only the ICANN section counts, and only listed names: without NO_STAR_RULE every unknown
// top-level domain would count as a suffix.
bool LinkDetector::isPublicSuffix(QStringView name) const
{
    return m_suffixes
        && psl_is_public_suffix2(
            m_suffixes, name.toString().toLower().toUtf8().constData(), PSL_TYPE_ICANN | PSL_TYPE_NO_STAR_RULE);
}

} // namespace kavri
