# SPDX-License-Identifier: MIT
# Parsing Qt's headers is most of what compiling one of our files costs, and the test command
# builds everything twice. Each library parses the headers that most of its files include once.
option(BRINDLEMOOR_PRECOMPILED_HEADERS "Precompile the Qt headers that most files include" ON)

set(BRINDLEMOOR_CORE_HEADERS
    <QByteArray> <QDateTime> <QHash> <QJsonArray> <QJsonDocument> <QJsonObject> <QList> <QObject>
    <QString> <QTimer> <algorithm> <functional> <memory> <optional>)
set(dbus_headers <QDBusConnection> <QDBusMessage> <QFile> <QGuiApplication>)
set(widgets_headers <QAbstractButton> <QApplication> <QImage> <QMouseEvent> <QPainter> <QPainterPath> <QWidget>)
set(BRINDLEMOOR_PLATFORM_HEADERS ${BRINDLEMOOR_CORE_HEADERS} ${dbus_headers})
set(BRINDLEMOOR_WIDGETS_HEADERS ${BRINDLEMOOR_CORE_HEADERS} ${widgets_headers})
set(BRINDLEMOOR_TEST_HEADERS ${BRINDLEMOOR_PLATFORM_HEADERS} ${widgets_headers}
    <QProcess> <QTemporaryDir> <gmock/gmock.h> <gtest/gtest.h>)

# brindlemoor_precompile(TARGET CORE|PLATFORM|WIDGETS|TEST)
function(brindlemoor_precompile target level)
    if(BRINDLEMOOR_PRECOMPILED_HEADERS)
        # Not for the C files that wayland-scanner writes.
        list(TRANSFORM BRINDLEMOOR_${level}_HEADERS REPLACE "^(.+)>$" "$<$<COMPILE_LANGUAGE:CXX>:\\1$<ANGLE-R>>"
             OUTPUT_VARIABLE headers)
        target_precompile_headers(${target} PRIVATE ${headers})
    endif()
endfunction()

# A target that reuses another's precompiled headers must be compiled with the same macros.
function(brindlemoor_reuse_precompiled target from)
    if(BRINDLEMOOR_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} REUSE_FROM ${from})
    endif()
endfunction()
