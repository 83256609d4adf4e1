// SPDX-License-Identifier: MIT
#pragma once

#include "views/cards/FloatingCardView.h"

namespace brindlemoor {

/// One application's floating card: its icon and name, the time its limit leaves or it
/// has used, and a reset button once the limit is reached. Bright while that application
/// is frontmost.
class FloatingWidgetView final : public FloatingCardView {
    Q_OBJECT

public:
    FloatingWidgetView(QString bundleID, const FloatingWidgetContext& context, const FloatingWidgetManager& manager,
                       QWidget* parent = nullptr);

    const QString& bundleID() const { return m_bundleID; }
    QString title() const override;

protected:
    LimitProgress progress() const override;
    bool isFrontmostFor(const QString& frontmostBundleID) const override;
    qreal leadingWidth() const override;
    void paintLeadingItem(QPainter& painter, const QRectF& rect) const override;
    void actionTriggered() override;

private:
    QString m_bundleID;
};

} // namespace brindlemoor
