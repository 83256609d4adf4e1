// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

class QJsonObject;
class QJsonValue;

namespace brindlemoor {

/// The hours of day (0-23) at which each app's limit cue fired, in order, duplicates kept.
using BreachHours = QHash<QString, QList<qint64>>;

QJsonObject encodeBreachHours(const BreachHours& hours);
/// None unless the value is an object of integer arrays.
std::optional<BreachHours> decodeBreachHours(const QJsonValue& value);

/// Today's counters of one application.
struct Entry {
    QString bundleID;
    double sessionSeconds = 0;    // counted against the app's own limit; a reset clears it
    double cumulativeSeconds = 0; // everything today; the daily total sums these
    qint64 switchCount = 0;

    friend bool operator==(const Entry&, const Entry&) = default;
};

/// One stretch of use; `end` is absent while the stretch is open.
struct UsageInterval {
    QUuid id;
    QString bundleID;
    QDateTime start;
    std::optional<QDateTime> end;

    friend bool operator==(const UsageInterval&, const UsageInterval&) = default;
};

/// The encoded closed intervals of a day, kept from one save to the next: a closed interval never
/// changes, so each is encoded once. Appending is recognised; any other change encodes them afresh.
class EncodedIntervals {
public:
    /// The intervals' JSON objects, comma-separated, without the array's brackets.
    const QByteArray& update(const QList<UsageInterval>& intervals);
    /// Takes the closed intervals' text from a stored document that decoded to `intervals`, where the
    /// document has this program's layout; a busy day's start then encodes none of them again.
    void adopt(const QByteArray& document, const QList<UsageInterval>& intervals);

private:
    QByteArray m_bytes;
    qsizetype m_count = 0;
    std::optional<UsageInterval> m_last;
};

/// The usage store's saved document.
struct PersistedState {
    QHash<QString, Entry> entries;
    QList<UsageInterval> todayIntervals;
    std::optional<UsageInterval> currentInterval;
    QString lastResetDay;
    BreachHours todayBreachHours;
    QHash<QString, double> appExtensions;
    double dailyExtension = 0;

    /// The compact JSON document, or none when a value cannot be written as JSON.
    std::optional<QByteArray> encode() const;
    /// The same bytes, with the closed intervals taken from and added to `intervals`.
    std::optional<QByteArray> encode(EncodedIntervals& intervals) const;
    /// None for anything that is not a complete document: a missing required key,
    /// a wrong type, truncated or garbage bytes.
    static std::optional<PersistedState> decode(const QByteArray& data);
};

} // namespace brindlemoor
