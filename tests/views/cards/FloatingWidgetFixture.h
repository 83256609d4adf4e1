// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/ManualClock.h"
#include "support/WidgetTesting.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/settings/AppIconProvider.h"

#include <QCoreApplication>
#include <QJsonDocument>

namespace brindlemoor::test {

inline const QString kEditor = QStringLiteral("org.example.Editor");
inline const QString kBrowser = QStringLiteral("org.example.Browser");
inline const QString kUnwatched = QStringLiteral("org.example.Unwatched");

/// Two watched applications with one-minute limits, a day to count in, and a manager.
class FloatingWidgetFixture : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        prefs.addApp(kEditor);
        prefs.addApp(kBrowser);
        prefs.setLimit(kEditor, 1);
        prefs.setLimit(kBrowser, 1);
    }
    void TearDown() override
    {
        // Closed panels go with deferred deletes; none may outlive the fixture's stores.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void use(const QString& bundleID, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            usage.tick(bundleID);
    }
    void storeJson(const QString& key, const char* json) { defaults.setValue(key, QByteArray(json)); }
    QJsonObject storedPositions() const
    {
        return QJsonDocument::fromJson(defaults.dataValue(keys::floatingWidgetPositions)).object();
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(10, 0))};
    UsageStore usage{defaults, clock};
    TodayModel today{prefs, usage};
    FakeApplicationCatalog catalog{
        {{kEditor, QStringLiteral("Editor"), {}, {}, false}, {kBrowser, QStringLiteral("Browser"), {}, {}, false}}};
    AppIconProvider icons{catalog};
    FakeActiveAppSource activeApps;
    FakeWindowSystem windowSystem;
    FloatingWidgetContext context{appearance, defaults, today, catalog, icons, activeApps, windowSystem};
};

} // namespace brindlemoor::test
