// SPDX-License-Identifier: MIT
#include "app/PlainMessages.h"

#include "core/foundation/ProgramIdentity.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace brindlemoor {

namespace {

QtMessageHandler qtHandler = nullptr;

void print(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool own = context.category != nullptr && std::strncmp(context.category, "brindlemoor.", 12) == 0;
    if (!own && qtHandler != nullptr) {
        qtHandler(type, context, message);
        return;
    }
    const QString text =
        own ? QStringLiteral("%1: %2").arg(programId, message) : qFormatLogMessage(type, context, message);
    const QByteArray line = text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
}

} // namespace

void printOwnMessagesPlainly()
{
    qtHandler = qInstallMessageHandler(print);
}

} // namespace brindlemoor
