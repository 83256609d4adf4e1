// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/AppUsage.h"
#include "core/model/LimitProgress.h"
#include "views/components/AccessibleContent.h"

#include <QHash>
#include <QList>
#include <QWidget>

namespace brindlemoor {

class AppIconProvider;
class AppUsageRowView;
class Appearance;
class FloatingWidgetManager;
class TodayModel;

/// The usage popover's list of rows: as high as the rows up to ten, scrolling beyond.
/// The widget reaches past the list on every side (overhang()) so that a hovered row's
/// shadow is not cut off; while the list scrolls it reaches past only at the sides.
class UsageList final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    static constexpr int rowHeight = 32;
    static constexpr int rowSpacing = 6;
    static constexpr int maxVisibleRows = 10;

    struct Row {
        AppUsage usage;
        LimitProgress progress;
    };

    UsageList(const Appearance& appearance, TodayModel& today, AppIconProvider& icons, FloatingWidgetManager* widgets,
              QWidget* parent = nullptr);

    /// The rows in the order given; a row keeps its widget (and its fill) while its id stays.
    void setRows(const QList<Row>& rows);
    /// The rows in display order.
    QList<AppUsageRowView*> rows() const;

    /// The height of the list itself for `count` rows: one to ten rows, no more.
    static int listHeight(qsizetype count);
    int listHeight() const { return listHeight(m_order.size()); }
    QMargins overhang() const;

    QAccessible::Role accessibleRole() const override { return QAccessible::List; }
    QString accessibleText() const override { return tr("Applications used today"); }

    int scrollOffset() const { return m_offset; }
    int maximumScroll() const;
    void scrollTo(int offset);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    /// Up and down move the focus between the rows' reset buttons.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeRows();
    /// Scrolls so that the row holding the focus shows in full.
    void revealFocus(QWidget* focused);

    const Appearance& m_appearance;
    TodayModel& m_today;
    AppIconProvider& m_icons;
    FloatingWidgetManager* m_widgets;
    QHash<QString, AppUsageRowView*> m_rows;
    QStringList m_order;
    int m_offset = 0;
};

} // namespace brindlemoor
