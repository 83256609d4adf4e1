// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace brindlemoor {

/// One running program per user: an advisory lock on a file beside the store.
/// The kernel drops the lock when the process ends, however it ends.
class SingleInstance final {
public:
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// False when another instance holds the lock.
    bool isPrimary() const { return m_primary; }

private:
    int m_fd = -1;
    bool m_primary = true;
};

} // namespace brindlemoor
