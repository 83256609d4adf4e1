// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Every key of the user-defaults store, named once. The texts are the stored keys and never change.
namespace brindlemoor::keys {

inline const QString isMonitoringPaused = QStringLiteral("isMonitoringPaused");
inline const QString dailyLimitMinutes = QStringLiteral("dailyLimitMinutes");
inline const QString extendDurationMinutes = QStringLiteral("extendDurationMinutes");
inline const QString useShapes = QStringLiteral("useShapes");
inline const QString playSoundOnRed = QStringLiteral("playSoundOnRed");
inline const QString showTimeRemaining = QStringLiteral("showTimeRemaining");
inline const QString overlayEnabled = QStringLiteral("overlayEnabled");
inline const QString dotColorRed = QStringLiteral("dotColorRed");
inline const QString dotColorGreen = QStringLiteral("dotColorGreen");
inline const QString dotColorBlue = QStringLiteral("dotColorBlue");
inline const QString monitoredAppsData = QStringLiteral("monitoredAppsData");
inline const QString mindfulnessHistory = QStringLiteral("mindfulnessHistory");
inline const QString breachHoursByDay = QStringLiteral("breachHoursByDay");
inline const QString usageDailyData = QStringLiteral("UsageStore.dailyData");
inline const QString usageHistory = QStringLiteral("usageHistory");
inline const QString unreadableUsageHistory = QStringLiteral("usageHistory.unreadable");
inline const QString usageHistoryDays = QStringLiteral("usageHistoryDays");
inline const QString hasSeenWelcome = QStringLiteral("hasSeenWelcome");
inline const QString floatingWidgetPositions = QStringLiteral("FloatingWidget.positions");
inline const QString floatingWidgetDailyPosition = QStringLiteral("FloatingWidget.dailyPosition");

} // namespace brindlemoor::keys
