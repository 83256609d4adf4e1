// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QMutex>
#include <QStringList>
#include <QtGlobal>

namespace brindlemoor::test {

/// Keeps what the program says through Qt's logging (its brindlemoor.* categories) while it
/// lives; other messages pass on. One at a time: each takes over Qt's message handler.
class MessageLog final {
public:
    MessageLog()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&MessageLog::keep);
    }
    ~MessageLog() { qInstallMessageHandler(s_previous); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    /// The texts said so far, in order.
    QStringList lines() const
    {
        const QMutexLocker lock(&s_mutex);
        return s_lines;
    }

private:
    static void keep(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (!QByteArrayView(context.category).startsWith("brindlemoor.")) {
            if (s_previous != nullptr)
                s_previous(type, context, text);
            return;
        }
        const QMutexLocker lock(&s_mutex);
        s_lines.append(text);
    }

    inline static QtMessageHandler s_previous = nullptr;
    inline static QMutex s_mutex;
    inline static QStringList s_lines;
};

} // namespace brindlemoor::test
