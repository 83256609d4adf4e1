// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/AccessibleContent.h"

#include <QUrl>
#include <QWidget>

namespace brindlemoor {

class Appearance;
class LinkButton;

/// What the program does and does not do with the user's data, its version, and a
/// feedback link. The version is read at each repaint.
class InfoPopoverView final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    static constexpr int viewWidth = 380;
    static constexpr int padding = 20;
    static constexpr int spacing = 20;
    static constexpr int iconSide = 48;

    explicit InfoPopoverView(const Appearance& appearance, QWidget* parent = nullptr);

    /// The build's version, or "1.0" where the build gave none.
    static QString version();
    static QUrl feedbackUrl();
    LinkButton* feedbackLink() const { return m_feedback; }

    QSize sizeHint() const override;

    QAccessible::Role accessibleRole() const override { return QAccessible::Pane; }
    QString accessibleText() const override { return tr("About Brindlemoor"); }
    QList<AccessibleItem> accessibleItems() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Lays the view out, painting it when `painter` is given and listing its texts when
    /// `items` is; returns the height and where the feedback link's row starts.
    int layOut(QPainter* painter, qreal* linkTop = nullptr, QList<AccessibleItem>* items = nullptr) const;

    const Appearance& m_appearance;
    LinkButton* m_feedback;
};

} // namespace brindlemoor
