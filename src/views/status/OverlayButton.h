// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace brindlemoor {

/// A capsule button of the break overlay, with a 16-pixel leading element: a countdown
/// ring, or a symbol by its name. Meant for the overlay's dark backdrop.
class OverlayButton final : public QAbstractButton {
    Q_OBJECT

public:
    /// `highContrast` as the desktop asked: the overlay is dark whatever the desktop's scheme.
    OverlayButton(const QString& label, QString icon, bool showCountdown, bool highContrast, QWidget* parent = nullptr);

    QString iconName() const { return m_icon; }
    bool showsCountdown() const { return m_showCountdown; }
    /// What the ring shows: 1 full, 0 empty.
    qreal timerProgress() const { return m_timerProgress; }
    void setTimerProgress(qreal progress);

    /// The capsule within the widget; the rest is room for its shadow.
    QRectF capsuleRect() const;
    /// Space the shadow needs around the capsule.
    static QMargins shadowMargins();

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QFont labelFont() const;
    void paintLeading(QPainter& painter, const QRectF& box) const;

    QString m_icon;
    bool m_showCountdown;
    bool m_highContrast;
    qreal m_timerProgress = 1.0;
    QImage m_shadow;
    qreal m_shadowRatio = 0;
};

} // namespace brindlemoor
