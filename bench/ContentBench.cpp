// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Parse time for payloads of about 1 MB: the worst a decoded code or an imported text may bring.
// Run: build/bench/content_bench
#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include "content/ContentParser.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype megabyte = 1024 * 1024;

QString repeatedTo(const QString &unit, const QString &prefix = {}, const QString &suffix = {})
{
    QString text = prefix;
    text.reserve(megabyte + unit.size() + suffix.size());
    while (text.size() < megabyte)
        text += unit;
    return text + suffix;
}

QString longVCard()
{
    return repeatedTo(u"TEL;TYPE=CELL:+1 555 0100\r\nEMAIL;TYPE=WORK:someone@example.com\r\n"
                      u"ADR;TYPE=HOME:;;Main St 1;Springfield;;12345;USA\r\nNOTE:folded\r\n  continuation\r\n"_s,
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:John Doe\r\n"_s, u"END:VCARD\r\n"_s);
}

QString invalidUtf8()
{
    QByteArray bytes;
    bytes.reserve(megabyte);
    for (int i = 0; bytes.size() < megabyte; ++i)
        bytes += (i % 3 == 0) ? QByteArrayView("\xC3\x28 www.") : QByteArrayView("\xFF\xFEx.com@\xE2\x82");
    return QString::fromUtf8(bytes);
}

void parseBenchmark(benchmark::State &state, const QString &text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(kavri::ContentParser::parse(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size() * 2);
    state.counters["chars"] = double(text.size());
}

void registerAll()
{
    const std::pair<const char *, QString> inputs[] = {
        { "vcard_long", longVCard() },
        { "semicolons_plain", repeatedTo(u";"_s) },
        { "semicolons_wifi", repeatedTo(u";"_s, u"WIFI:"_s) },
        { "semicolons_matmsg", repeatedTo(u";"_s, u"MATMSG:"_s) },
        { "semicolons_sms", repeatedTo(u";"_s, u"sms:1?"_s) },
        { "url_dense_page",
            repeatedTo(u"See https://example.com/a_(b)?q=1, www.example.org and mail x.y@example.co.uk. "_s) },
        { "bare_domains", repeatedTo(u"a.b.c.d.example.com "_s) },
        { "no_spaces_dots", repeatedTo(u"a."_s) },
        { "at_signs", repeatedTo(u"a@b."_s) },
        { "scheme_without_host", repeatedTo(u"(http://"_s) },
        { "invalid_utf8", invalidUtf8() },
    };
    for (const auto &[name, text] : inputs) {
        benchmark::RegisterBenchmark(name, parseBenchmark, text)->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char **argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
