// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace brindlemoor {

/// The process-wide "usageStoreDidChange" notification: one signal on one object.
/// The sender is the usage store that changed, or none when a limit changed in the settings.
class UsageNotifier final : public QObject {
    Q_OBJECT

public:
    static UsageNotifier& instance();

    void post(QObject* sender) { Q_EMIT usageStoreDidChange(sender); }

Q_SIGNALS:
    void usageStoreDidChange(QObject* sender);

private:
    UsageNotifier() = default;
};

} // namespace brindlemoor
