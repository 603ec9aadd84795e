// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldOutCorpus.h"

#include <algorithm>
#include <array>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>

#include "ChromiumShot.h"
#include "HeldOutCell.h"
#include "HeldOutSources.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using heldout::Cell;

constexpr quint32 heldOutSeed = 0x486c644f; // fixed, and unlike the tune corpus's
constexpr int pageWidth = 1800; // CSS px
constexpr int pageHeight = 3600;
constexpr int gap = 24;

struct KindPlan
{
    QStringView kind;
    int full = 0;
    int quick = 0;
};

constexpr std::array kindPlan
    = { KindPlan { u"ui", 36, 4 }, KindPlan { u"menu", 30, 3 }, KindPlan { u"paragraph", 44, 5 },
          KindPlan { u"code", 40, 5 }, KindPlan { u"url", 24, 3 }, KindPlan { u"email", 24, 3 },
          KindPlan { u"numbers", 30, 3 }, KindPlan { u"table", 30, 3 }, KindPlan { u"word", 48, 6 },
          KindPlan { u"separators", 30, 4 }, KindPlan { u"link", 36, 4 }, KindPlan { u"notext", 18, 6 },
          KindPlan { u"window", 20, 3 }, KindPlan { u"language", 40, 4 }, KindPlan { u"page4k", 1, 0 } };

struct Planned
{
    Cell cell;
    TextSample sample;
    int jpegQuality = 0;
    bool subpixel = false;
    QPoint at; // on its page, CSS px
};

struct Page
{
    int scale = 1;
    bool subpixel = false;
    QSize size;
    QList<qsizetype> members; // indices into the planned list
};

constexpr char pageHead[] = R"(<!DOCTYPE html><html><head><meta charset="utf-8"><style>
html,body{margin:0;padding:0;background:#7f7f7f}
.c{position:absolute;overflow:hidden}
.t{position:absolute;white-space:pre;margin:0;font-kerning:normal}
.bad{position:absolute;left:0;top:0;width:6px;height:6px;background:#ff00ff;z-index:9}
</style></head><body>
)";

// A box whose text reaches past its edge gets a magenta corner: its crop would cut glyphs.
constexpr char pageCheck[] = R"(<script>
for (const c of document.querySelectorAll('.c')) {
  const r = c.getBoundingClientRect();
  for (const t of c.querySelectorAll('.t')) {
    const q = t.getBoundingClientRect();
    if (q.left < r.left || q.top < r.top || q.right > r.right || q.bottom > r.bottom
        || t.scrollWidth > t.clientWidth + 1 || t.scrollHeight > t.clientHeight + 1) {
      const m = document.createElement('div'); m.className = 'bad'; c.appendChild(m); break;
    }
  }
}
</script></body></html>
)";

QList<Planned> plan(bool quick)
{
    QRandomGenerator random(heldOutSeed);
    QList<Planned> planned;
    for (const KindPlan &entry : kindPlan) {
        const QString kind = entry.kind.toString();
        const bool scene = kind == u"window" || kind == u"notext" || kind == u"page4k";
        for (int index = 0; index < (quick ? entry.quick : entry.full); ++index) {
            Planned item;
            item.cell = scene ? heldout::sceneCell(kind, index, random) : heldout::textCell(kind, index, random);
            TextSample &sample = item.sample;
            sample.id = u"h%1"_s.arg(planned.size(), 4, 10, QChar(u'0'));
            sample.corpus = u"held-out"_s;
            sample.kind = kind;
            sample.language = item.cell.language;
            sample.font = item.cell.font;
            sample.pixelSize = item.cell.pixelSize;
            sample.theme = item.cell.theme;
            sample.truth = item.cell.truth;
            const bool page = kind == u"page4k";
            sample.hidpi = !page && random.bounded(5) == 0;
            sample.jpeg = !page && random.bounded(100) < 15;
            item.jpegQuality = heldout::inRange(random, 60, 90);
            item.subpixel = random.bounded(10) < 3;
            planned.append(item);
        }
    }
    return planned;
}

// Shelves, left to right and top to bottom, on pages of one scale and antialiasing each.
QList<Page> paginate(QList<Planned> &planned)
{
    QList<Page> pages;
    for (const int scale : { 1, 2 }) {
        for (const bool subpixel : { false, true }) {
            Page page { scale, subpixel, QSize(), {} };
            int x = gap;
            int y = gap;
            int shelf = 0;
            for (qsizetype index = 0; index < planned.size(); ++index) {
                Planned &item = planned[index];
                if ((item.sample.hidpi ? 2 : 1) != scale || item.subpixel != subpixel)
                    continue;
                const QSize size(item.cell.width, item.cell.height);
                if (item.sample.kind == u"page4k") {
                    item.at = QPoint(0, 0);
                    pages.append({ scale, subpixel, size, { index } });
                    continue;
                }
                if (x + size.width() + gap > pageWidth) {
                    x = gap;
                    y += shelf + gap;
                    shelf = 0;
                }
                if (y + size.height() + gap > pageHeight && !page.members.isEmpty()) {
                    page.size = QSize(pageWidth, y + shelf + gap);
                    pages.append(page);
                    page.members.clear();
                    x = y = gap;
                    shelf = 0;
                }
                item.at = QPoint(x, y);
                page.members.append(index);
                x += size.width() + gap;
                shelf = std::max(shelf, size.height());
            }
            if (!page.members.isEmpty()) {
                page.size = QSize(pageWidth, y + shelf + gap);
                pages.append(page);
            }
        }
    }
    return pages;
}

QByteArray pageHtml(const Page &page, const QList<Planned> &planned)
{
    QString body;
    for (const qsizetype index : page.members) {
        const Planned &item = planned.at(index);
        body += u"<div class=\"c\" style=\"left:%1px;top:%2px;width:%3px;height:%4px;background:%5\">%6</div>\n"_s
                    .arg(item.at.x())
                    .arg(item.at.y())
                    .arg(item.cell.width)
                    .arg(item.cell.height)
                    .arg(item.cell.background, item.cell.html);
    }
    return QByteArray(pageHead) + body.toUtf8() + QByteArray(pageCheck);
}

// Writes the page and screenshots it, unless the same page was rendered before. Returns whether
// it was rendered now.
bool ensurePage(const QString &chromium, const QString &base, const QByteArray &html, const Page &page, bool &ok)
{
    QFile existing(base + u".html"_s);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == html && QFileInfo::exists(base + u".png"_s)) {
        ok = true;
        return false;
    }
    existing.close();
    QFile file(base + u".html"_s);
    ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(html) == html.size();
    file.close();
    ok = ok && screenshotPage(chromium, file.fileName(), base + u".png"_s, page.size, page.scale, page.subpixel);
    if (!ok)
        QFile::remove(file.fileName()); // so that the next run tries again
    return true;
}

} // namespace

QList<TextSample> generateHeldOutCorpus(const QString &directory, bool quick, QTextStream &out)
{
    const QString chromium = findChromium();
    if (chromium.isEmpty()) {
        out << u"Held-out corpus skipped: Chromium is not installed (scripts/packages-bench lists it).\n"_s;
        return {};
    }
    if (heldout::packages().isEmpty() || heldout::proseParagraphs().isEmpty() || heldout::headerFiles().isEmpty()) {
        out << u"Held-out corpus skipped: no package list, license texts or headers to draw text from.\n"_s;
        return {};
    }
    QDir root(directory);
    const QString folder = quick ? u"held-out-quick"_s : u"held-out"_s;
    root.mkpath(folder + u"/pages"_s);
    root.mkpath(folder + u"/images"_s);
    QList<Planned> planned = plan(quick);
    const QList<Page> pages = paginate(planned);
    QList<TextSample> samples;
    int overflowed = 0;
    int rendered = 0;
    for (qsizetype number = 0; number < pages.size(); ++number) {
        const Page &page = pages.at(number);
        const QString base = root.filePath(folder + u"/pages/p%1"_s.arg(number, 2, 10, QChar(u'0')));
        bool ok = false;
        const bool fresh = ensurePage(chromium, base, pageHtml(page, planned), page, ok);
        rendered += fresh ? 1 : 0;
        const QImage screenshot = ok ? QImage(base + u".png"_s).convertToFormat(QImage::Format_RGB32) : QImage();
        if (screenshot.isNull()) {
            out << u"Held-out page "_s << number << u" could not be rendered; its "_s << page.members.size()
                << u" images are left out\n"_s;
            continue;
        }
        for (const qsizetype index : page.members) {
            Planned &item = planned[index];
            const QRect box(item.at * page.scale, QSize(item.cell.width, item.cell.height) * page.scale);
            const QRgb marker = screenshot.pixel(box.topLeft() + QPoint(3, 3) * page.scale);
            if (qRed(marker) > 250 && qGreen(marker) < 5 && qBlue(marker) > 250) {
                ++overflowed;
                continue;
            }
            TextSample sample = item.sample;
            sample.path = root.filePath(folder + u"/images/"_s + sample.id + (sample.jpeg ? u".jpg"_s : u".png"_s));
            if (fresh || !QFileInfo::exists(sample.path)) {
                const QImage crop = screenshot.copy(box);
                if (!(sample.jpeg ? crop.save(sample.path, "JPEG", item.jpegQuality) : crop.save(sample.path, "PNG")))
                    continue;
            }
            samples.append(sample);
        }
    }
    out << u"Held-out corpus: "_s << pages.size() << u" pages ("_s << rendered << u" rendered now, the rest kept), "_s
        << samples.size() << u" images"_s;
    if (overflowed > 0)
        out << u", "_s << overflowed << u" left out because their text ran past their box"_s;
    out << u'\n';
    return samples;
}

} // namespace kavri
