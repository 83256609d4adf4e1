// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/Insight.h"
#include "views/components/AccessibleContent.h"

#include <QWidget>

namespace brindlemoor {

class Appearance;

/// One insight: its icon in the accent (or secondary) colour, the title, and the body
/// wrapped onto as many lines as it needs. The panel fades it in and out.
class ReflectionCard final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    explicit ReflectionCard(const Appearance& appearance, const Insight& insight, QWidget* parent = nullptr);

    const Insight& insight() const { return m_insight; }
    void setInsight(const Insight& insight);

    qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);

    /// The icon's colour now: the accent for the current appearance, or secondary.
    QColor iconColor() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

    /// The title as its name, the body as its description.
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
    QString accessibleText() const override { return m_insight.title; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    Insight m_insight;
    qreal m_opacity = 1;
};

} // namespace brindlemoor
