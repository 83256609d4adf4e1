// SPDX-License-Identifier: MIT
#include "core/model/HistoryExport.h"

#include "core/foundation/DayKey.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace brindlemoor {

namespace {

// Both counters grow by whole seconds; rounding only guards against a hand-edited store.
qint64 roundedSeconds(double seconds)
{
    return std::llround(seconds);
}

QString outcomeText(bool hasLimit, bool over)
{
    if (!hasLimit)
        return {};
    return over ? QStringLiteral("over") : QStringLiteral("within");
}

QJsonValue jsonLimit(const std::optional<double>& seconds)
{
    return seconds ? QJsonValue(roundedSeconds(*seconds)) : QJsonValue(QJsonValue::Null);
}

QJsonValue jsonOutcome(const QString& outcome)
{
    return outcome.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(outcome);
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its quotes doubled.
QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QByteArray toCsv(const QList<const DayRecord*>& days, const std::function<QString(const QString&)>& nameOf)
{
    QString out = QStringLiteral("day,application_id,name,seconds,limit_seconds,outcome\r\n");
    for (const DayRecord* day : days) {
        for (const AppDayRecord& app : day->apps) {
            const QStringList fields{
                day->day,
                csvField(app.bundleID),
                csvField(nameOf(app.bundleID)),
                QString::number(roundedSeconds(app.seconds)),
                app.limitSeconds ? QString::number(roundedSeconds(*app.limitSeconds)) : QString(),
                outcomeText(app.limitSeconds.has_value(), app.overLimit),
            };
            out += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
        }
    }
    return out.toUtf8();
}

QByteArray toJson(const QList<const DayRecord*>& days, const std::function<QString(const QString&)>& nameOf)
{
    QJsonArray rows;
    QJsonArray totals;
    for (const DayRecord* day : days) {
        for (const AppDayRecord& app : day->apps) {
            rows.append(QJsonObject{
                {QStringLiteral("day"), day->day},
                {QStringLiteral("id"), app.bundleID},
                {QStringLiteral("name"), nameOf(app.bundleID)},
                {QStringLiteral("seconds"), roundedSeconds(app.seconds)},
                {QStringLiteral("limitSeconds"), jsonLimit(app.limitSeconds)},
                {QStringLiteral("outcome"), jsonOutcome(outcomeText(app.limitSeconds.has_value(), app.overLimit))},
            });
        }
        totals.append(QJsonObject{
            {QStringLiteral("day"), day->day},
            {QStringLiteral("seconds"), roundedSeconds(day->totalSeconds)},
            {QStringLiteral("limitSeconds"), jsonLimit(day->dailyLimitSeconds)},
            {QStringLiteral("outcome"), outcomeText(true, day->outcome == DayOutcome::OverLimit)},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("rows"), rows}, {QStringLiteral("days"), totals}})
        .toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<ExportFormat> exportFormatNamed(const QString& name)
{
    if (name == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (name == QLatin1String("json"))
        return ExportFormat::Json;
    return std::nullopt;
}

QByteArray exportHistory(const DayRecords& days, ExportFormat format, qint64 lastDays, QDate today,
                         const std::function<QString(const QString& bundleID)>& nameOf)
{
    const QString first = lastDays > 0 ? dayKey(today.addDays(1 - lastDays).startOfDay()) : QString();
    QList<const DayRecord*> chosen;
    for (auto it = days.lowerBound(first); it != days.end(); ++it)
        chosen.append(&*it);
    return format == ExportFormat::Csv ? toCsv(chosen, nameOf) : toJson(chosen, nameOf);
}

} // namespace brindlemoor
