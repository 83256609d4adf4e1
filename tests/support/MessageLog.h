// SPDX-License-Identifier: MIT
#pragma once

#include <QMutex>
#include <QStringList>
#include <QtGlobal>

#include <cstring>

namespace brindlemoor::test {

/// Keeps what the program says through Qt's logging while it lives; other messages pass on.
class MessageLog final {
public:
    MessageLog()
        : m_previous(qInstallMessageHandler(&MessageLog::keep))
    {
        current() = this;
    }
    ~MessageLog()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    /// The texts said so far, in order.
    QStringList lines() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_lines;
    }

private:
    static MessageLog*& current()
    {
        static MessageLog* log = nullptr;
        return log;
    }
    static void keep(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        MessageLog* log = current();
        if (context.category != nullptr && std::strncmp(context.category, "brindlemoor.", 12) == 0) {
            const QMutexLocker lock(&log->m_mutex);
            log->m_lines.append(text);
        } else if (log->m_previous != nullptr) {
            log->m_previous(type, context, text);
        }
    }

    QtMessageHandler m_previous;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

} // namespace brindlemoor::test
