// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/AccessibleContent.h"

#include <QWidget>

class QPainter;

namespace brindlemoor {

/// The program's logo, the application icon drawn at any size: the tray's teal dot held in
/// a ring of the day's time. The info popover shows it as the program's icon.
class WelcomeLogoView final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    explicit WelcomeLogoView(int side, QWidget* parent = nullptr);

    static void paint(QPainter& painter, const QRectF& box);

    QSize sizeHint() const override { return {m_side, m_side}; }

    /// Decorative: the title next to it says what it would.
    QAccessible::Role accessibleRole() const override { return QAccessible::Graphic; }
    QString accessibleText() const override { return {}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_side;
};

} // namespace brindlemoor
