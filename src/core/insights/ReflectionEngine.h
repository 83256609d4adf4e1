// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/Insight.h"

#include <QCoreApplication>
#include <QDate>
#include <QList>

namespace brindlemoor {

class ApplicationCatalog;
class Clock;
class TodayModel;

/// Turns today's totals and the stored days into the reflection panel's cards.
/// Holds nothing between calls: every call reads the stores afresh.
class ReflectionEngine final {
    Q_DECLARE_TR_FUNCTIONS(ReflectionEngine)

public:
    ReflectionEngine(const ApplicationCatalog& catalog, const Clock& clock);

    /// The cards, sorted by priority; equal priorities keep the order of the rules.
    QList<Insight> generateInsights(const TodayModel& today) const;

    /// "yesterday", "today", a weekday within the week, else e.g. "Mar 5"; a key that is
    /// not a date is returned as it is.
    static QString relativeDayLabel(const QString& dayKey, const QDate& today);
    /// The hour as the user's locale writes it: "1PM" where its clock has twelve hours,
    /// "13:00" where it has twenty-four.
    static QString hourLabel(int hour);

private:
    const ApplicationCatalog& m_catalog;
    const Clock& m_clock;
};

} // namespace brindlemoor
