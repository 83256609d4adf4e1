// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/ReflectionEngine.h"

#include <QList>
#include <QVariantAnimation>
#include <QWidget>

namespace brindlemoor {

class Appearance;
class ReflectionCard;
class ReflectionHeader;
class TodayModel;

/// The menu popover's insights row: a header that opens and closes the panel, and
/// while open up to four cards of the reflection engine, fading in one after another.
/// The creator owns whether it is open: it sets it with setExpanded() and hears the
/// header's clicks through expandedChanged().
class ReflectionPanelRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int maxCards = 4;

    ReflectionPanelRow(const Appearance& appearance, const ReflectionEngine& engine, const TodayModel& today,
                       QWidget* parent = nullptr);

    bool isExpanded() const { return m_expanded; }
    /// Opening computes the insights afresh; closing fades every card out, then folds.
    void setExpanded(bool expanded);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

Q_SIGNALS:
    void expandedChanged(bool expanded);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildCards();
    void refreshCards();
    void clearCards();
    void startFade(bool in);
    void onFadeTime(qreal elapsedMs);
    void animateReveal(qreal target);
    int cardsHeight(int width) const;
    void relayout();

    const Appearance& m_appearance;
    ReflectionEngine m_engine;
    const TodayModel& m_today;
    ReflectionHeader* m_header;
    QList<ReflectionCard*> m_cards;
    bool m_expanded = false;
    qreal m_reveal = 0; // how much of the cards' height the row shows: 0 folded ... 1 open
    QVariantAnimation m_revealAnimation;
    QVariantAnimation m_fade; // milliseconds since the fade began, linear
    bool m_fadingIn = true;
    QList<qreal> m_fadeFrom; // each card's opacity when fading out began
};

} // namespace brindlemoor
