// SPDX-License-Identifier: MIT
#include "views/cards/FloatingWidgetView.h"

#include "core/model/TodayModel.h"
#include "core/settings/ApplicationCatalog.h"
#include "views/components/ProgressCard.h"
#include "views/settings/AppIconProvider.h"

#include <QPainter>

namespace brindlemoor {

namespace {

constexpr qreal iconSide = 16;
constexpr qreal iconCornerRadius = 3;

} // namespace

FloatingWidgetView::FloatingWidgetView(QString bundleID, const FloatingWidgetContext& context,
                                       const FloatingWidgetManager& manager, QWidget* parent)
    : FloatingCardView({NamedColor::GlobalAccent, 0.96, 10, 0.6, Symbol::ArrowCounterclockwise, tr("Reset")}, context,
                       manager, parent)
    , m_bundleID(std::move(bundleID))
{
    initialize();
    actionButton()->setAccessibleName(tr("Reset %1").arg(title()));
}

QString FloatingWidgetView::title() const
{
    return applicationDisplayName(context().catalog, m_bundleID);
}

LimitProgress FloatingWidgetView::progress() const
{
    return context().today.app(m_bundleID);
}

void FloatingWidgetView::actionTriggered()
{
    context().today.resetApp(m_bundleID);
}

bool FloatingWidgetView::isFrontmostFor(const QString& frontmostBundleID) const
{
    return frontmostBundleID == m_bundleID;
}

qreal FloatingWidgetView::leadingWidth() const
{
    return iconSide;
}

void FloatingWidgetView::paintLeadingItem(QPainter& painter, const QRectF& rect) const
{
    const QPixmap icon = context().icons.icon(m_bundleID, painter.device()->devicePixelRatioF());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(progresscard::continuousRoundedRect(rect, iconCornerRadius), Qt::IntersectClip);
    painter.drawPixmap(rect, icon, QRectF(QPointF(0, 0), icon.size()));
    painter.restore();
}

} // namespace brindlemoor
