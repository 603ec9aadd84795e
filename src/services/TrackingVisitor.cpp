// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackingVisitor.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>

#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr auto visitorIdKey = "PiwikVisitorIDKey";
constexpr auto totalVisitsKey = "PiwikTotalNumberOfVistsKey";
constexpr auto firstVisitKey = "PiwikFirstVistsTimestampKey";
constexpr auto previousVisitKey = "PiwikPreviousVistsTimestampKey";
constexpr auto currentVisitKey = "PiwikCurrentVisitTimestampKey";

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

bool isVisitorId(const QString &id)
{
    static const QRegularExpression hex16(u"^[0-9a-f]{16}$"_s);
    return hex16.match(id).hasMatch();
}

class QueryBuilder
{
public:
    void add(const char *name, const QString &value)
    {
        if (!m_text.isEmpty())
            m_text += u'&';
        m_text += QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(name)));
        m_text += u'=' + QString::fromLatin1(QUrl::toPercentEncoding(value));
    }
    void add(const char *name, qint64 value) { add(name, QString::number(value)); }
    QString text() const { return u'?' + m_text; }

private:
    QString m_text;
};

} // namespace

TrackingVisitor::TrackingVisitor(UserDefaults &defaults)
    : m_defaults(defaults)
{ }

QString TrackingVisitor::visitorId() const
{
    const UserDefaults::Value stored = m_defaults.object(key(visitorIdKey));
    if (const auto *id = std::get_if<QString>(&stored); id && isVisitorId(*id))
        return *id;
    const quint64 random = QRandomGenerator::system()->generate64();
    const QString id = u"%1"_s.arg(qulonglong(random), 16, 16, QLatin1Char('0'));
    m_defaults.set(key(visitorIdKey), id);
    return id;
}

QDateTime TrackingVisitor::storedDate(const char *name) const
{
    const UserDefaults::Value stored = m_defaults.object(key(name));
    const auto *date = std::get_if<QDateTime>(&stored);
    return date ? *date : QDateTime();
}

void TrackingVisitor::beginVisit(const QDateTime &time)
{
    const UserDefaults::Value stored = m_defaults.object(key(totalVisitsKey));
    const auto *total = std::get_if<qint64>(&stored);
    m_defaults.set(key(totalVisitsKey), qint64(total && *total > 0 ? *total + 1 : 1));
    if (!storedDate(firstVisitKey).isValid())
        m_defaults.set(key(firstVisitKey), time);
    const QDateTime current = storedDate(currentVisitKey);
    m_defaults.set(key(previousVisitKey), current.isValid() ? current : time);
    m_defaults.set(key(currentVisitKey), time);
}

QString TrackingVisitor::query(const TrackingEvent &event, const TrackingContext &context, const QDateTime &time)
{
    const bool newVisit = std::exchange(m_newVisit, false);
    if (newVisit)
        beginVisit(time);
    const UserDefaults::Value total = m_defaults.object(key(totalVisitsKey));
    const QTime local = time.toLocalTime().time();

    QueryBuilder query;
    query.add("idsite", context.siteId);
    query.add("rec", 1);
    query.add("apiv", 1);
    query.add("send_image", 0);
    query.add("_id", visitorId());
    query.add("_idvc", std::holds_alternative<qint64>(total) ? std::get<qint64>(total) : 1);
    query.add("_idts", storedDate(firstVisitKey).toSecsSinceEpoch());
    query.add("_viewts", storedDate(previousVisitKey).toSecsSinceEpoch());
    if (newVisit)
        query.add("new_visit", 1);
    query.add("rand", QRandomGenerator::global()->bounded(1'000'000'000));
    query.add("cdt", time.toSecsSinceEpoch());
    query.add("h", local.hour());
    query.add("m", local.minute());
    query.add("s", local.second());
    query.add("action_name", event.category + u" / "_s + event.action);
    query.add("url", context.contentBase + u'/');
    query.add("urlref", context.contentBase);
    query.add("lang", context.language);
    if (!context.screenResolution.isEmpty())
        query.add("res", context.screenResolution);
    query.add("e_c", event.category);
    query.add("e_a", event.action);
    if (event.name)
        query.add("e_n", *event.name);
    if (event.value)
        query.add("e_v", QString::number(*event.value));
    for (auto it = context.dimensions.begin(); it != context.dimensions.end(); ++it)
        query.add(QByteArray("dimension" + QByteArray::number(it.key())).constData(), it.value());
    return query.text();
}

} // namespace kavri
