// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/LimitProgress.h"
#include "views/cards/FloatingWidgetContext.h"
#include "views/components/AccessibleContent.h"
#include "views/components/NamedColors.h"
#include "views/components/ProgressFillAnimation.h"
#include "views/components/Spring.h"
#include "views/components/Symbol.h"

#include <QVariantAnimation>
#include <QWidget>

#include <optional>

class QAbstractButton;

namespace brindlemoor {

class CardActionButton;
class FloatingWidgetManager;
class HoverTracker;
class WidgetCloseButton;

/// The card of a floating widget: a progress fill with a fading end and a glow, a gloss, the
/// leading item, a title, the time or a warning dot, and a border. The card dims and loses
/// a little colour while the user works elsewhere, and shows a close button while hovered.
/// The per-app and the daily widget differ only in what they read and a few looks.
class FloatingCardView : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    static constexpr int cardWidth = 280;
    static constexpr int cardHeight = 40;

    ~FloatingCardView() override;

    virtual QString title() const = 0;
    /// Time used or left, as the settings say; hidden while the limit is reached.
    QString timeText() const;
    /// How far the day has come: near from 80 % of the limit on.
    LimitLevel level() const;
    /// The share of the limit that is left, 0 without a limit.
    double remainingFraction() const;
    /// The opacity the whole card is drawn with now.
    qreal cardOpacity() const;
    /// Reset or extend; shown only while the limit is reached.
    QAbstractButton* actionButton() const;
    /// Shown only while the pointer is over the card.
    QAbstractButton* closeButton() const;
    const ProgressFillAnimation& fill() const { return m_fill; }

    QSize sizeHint() const override { return {cardWidth, cardHeight}; }

    QAccessible::Role accessibleRole() const override { return QAccessible::ProgressBar; }
    QString accessibleText() const override;
    QString accessibleValue() const override;

Q_SIGNALS:
    void closeRequested();

protected:
    struct Look {
        NamedColor fill;
        qreal fadeStop;
        int padding;
        qreal dimmedOpacity;
        Symbol actionSymbol;
        QString actionName;
    };
    FloatingCardView(const Look& look, const FloatingWidgetContext& context, const FloatingWidgetManager& manager,
                     QWidget* parent);

    virtual LimitProgress progress() const = 0;
    virtual bool isFrontmostFor(const QString& frontmostBundleID) const = 0;
    virtual qreal leadingWidth() const = 0;
    virtual void paintLeadingItem(QPainter& painter, const QRectF& rect) const = 0;
    virtual void actionTriggered() = 0;

    const FloatingWidgetContext& context() const { return m_context; }
    /// Builds the state that depends on the leaf; the leaf's constructor ends with it.
    void initialize();
    /// Re-reads the model: the fill follows the new fraction, the trailing group the new level.
    void refresh();

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QImage paintCard(qreal ratio) const;
    void paintContent(QPainter& painter, const QRectF& card) const;
    void setFrontmost(bool frontmost, bool animated);
    void setHovering(bool hovering);
    void applyHover(qreal hover);
    QRectF actionRect() const;

    Look m_look;
    FloatingWidgetContext m_context;
    const FloatingWidgetManager& m_manager;
    ProgressFillAnimation m_fill;
    SpringAnimation m_emphasisMotion;
    QVariantAnimation m_hoverMotion;
    HoverTracker* m_hoverTracker;
    CardActionButton* m_action;
    WidgetCloseButton* m_close;
    bool m_frontmost = false;
    bool m_appeared = false;
    /// 1 when frontmost, 0 when dimmed, in between (or a little beyond) while it springs.
    qreal m_emphasis = 0;
    qreal m_hover = 0;
};

} // namespace brindlemoor
