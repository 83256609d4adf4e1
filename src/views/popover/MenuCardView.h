// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/LimitProgress.h"
#include "views/components/AccessibleContent.h"
#include "views/components/NamedColors.h"
#include "views/components/ProgressFillAnimation.h"
#include "views/components/Spring.h"

#include <QVariantAnimation>
#include <QWidget>

class QAbstractButton;

namespace brindlemoor {

class Appearance;
class CardActionButton;
class HoverTracker;
class TodayModel;

/// A card of the usage popover, an application's row or the daily bar: a track, a
/// progress fill with a fading end, a gloss, an outline, and the content line with its
/// soft shadow: the leading item, a title, and a trailing group of time text, extend
/// control, warning dot and reset button. While hovered the card grows a little and casts
/// a shadow, which its container paints beneath it (paintShadow()), so that the shadow is
/// not cut off at the card's own edges.
class MenuCardView : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    static constexpr int cardHeight = 32;
    /// Room around the card for growing while hovered.
    static constexpr QMargins bleed{2, 1, 2, 1};

    enum class Dot { None, Orange, Red };
    static Dot dotFor(LimitLevel level);

    ~MenuCardView() override;

    /// Time used or left as the settings say; empty while the limit is reached.
    virtual QString timeText() const = 0;
    virtual Dot dot() const = 0;
    /// The share of the limit that is left, 0 without a limit.
    virtual double remainingFraction() const = 0;

    /// Where the trailing group's pieces are, in this widget's coordinates; empty when absent.
    QRectF dotRect() const { return trailingLayout().dot; }
    QRectF textRect() const { return trailingLayout().text; }

    /// 0 at rest, 1 while hovered, in between while it eases.
    qreal hover() const { return m_hover; }
    const ProgressFillAnimation& fill() const { return m_fill; }

    /// The card's shadow while hovered, for the container to paint in its own coordinates.
    void paintShadow(QPainter& painter) const;

    QSize sizeHint() const override;

protected:
    struct Look {
        NamedColor fill;
        qreal track, hoverTrack;
        qreal glossLight, hoverGlossLight, glossDark, hoverGlossDark;
        qreal outline;
        qreal shadowOpacity, shadowRadius, shadowOffset;
        int hoverMs;
        bool dotFollowsHover; ///< the dot grows a little and brightens with the hover
    };
    /// What the trailing group shows, from the leading side to the trailing edge.
    struct Trailing {
        QString text;    ///< the time; empty for none
        QString capsule; ///< the extend control's label; empty for none
        Dot dot = Dot::None;
        bool resetButton = false;
    };

    MenuCardView(const Appearance& appearance, const Look& look, const TodayModel& today, QWidget* parent);

    virtual QString title() const = 0;
    virtual Trailing trailing() const = 0;
    virtual qreal leadingWidth() const = 0;
    virtual void paintLeadingItem(QPainter& painter, const QRectF& rect) const = 0;

    const TodayModel& today() const { return m_today; }
    ProgressFillAnimation& fillMotion() { return m_fill; }
    QAbstractButton* resetButton() const;
    QAbstractButton* extendButton() const;
    /// Shrinks the whole card a little (a row being dragged out), springing there.
    void setShrunk(bool shrunk);
    /// The inputs changed: the trailing group and its buttons follow.
    void contentChanged();
    bool hasAppeared() const { return m_appeared; }

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TrailingLayout {
        QRectF text, capsule, dot, button;
        qreal left = 0; ///< the group's leading edge
    };
    QRectF cardRect() const;
    qreal scale() const;
    TrailingLayout trailingLayout() const;
    void paintContent(QPainter& painter, const QRectF& card) const;
    void setHovering(bool hovering);
    void setHover(qreal hover);
    void updateShadowArea();

    const Appearance& m_appearance;
    Look m_look;
    const TodayModel& m_today;
    ProgressFillAnimation m_fill;
    HoverTracker* m_hoverTracker;
    CardActionButton* m_reset;
    CardActionButton* m_extend;
    QVariantAnimation m_hoverMotion;
    SpringAnimation m_shrinkMotion;
    qreal m_hover = 0;
    qreal m_shrink = 1;
    bool m_appeared = false;
};

} // namespace brindlemoor
