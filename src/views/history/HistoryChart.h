// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/HistorySeries.h"
#include "views/components/AccessibleTable.h"
#include "views/components/NamedColors.h"

#include <QWidget>

namespace brindlemoor {

class Appearance;

/// The bars of a usage history, oldest on the left, with hour lines and the limit as a dashed line.
/// A bar is chosen by pointing at it, clicking it, or with the arrow keys, Home and End once the chart
/// has the focus; a screen reader reads the bars as a table.
class HistoryChart final : public QWidget, public AccessibleTableContent {
    Q_OBJECT

public:
    explicit HistoryChart(const Appearance& appearance, QWidget* parent = nullptr);

    /// The bars to draw in `tint`; those that reached their limit are marked. The chosen bar stays
    /// while the number of bars does.
    void setSeries(const HistorySeries& series, HistorySpan span, NamedColor tint);
    const HistorySeries& series() const { return m_series; }
    HistorySpan span() const { return m_span; }

    /// The bar chosen with the keyboard or a click, or -1.
    int selectedBar() const { return m_selected; }
    void setSelectedBar(int index);
    /// The bar whose figures show: the one under the pointer, else the chosen one; -1 for none.
    int currentBar() const { return m_hovered >= 0 ? m_hovered : m_selected; }
    /// The column bar `index` stands in, captions included.
    QRectF barSlot(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString accessibleText() const override;
    int accessibleRowCount() const override { return static_cast<int>(m_series.bars.size()); }
    QStringList accessibleColumns() const override;
    QString accessibleCell(int row, int column) const override;
    QRectF accessibleRowRect(int row) const override { return barSlot(row); }
    int accessibleCurrentRow() const override { return m_selected; }
    void setAccessibleCurrentRow(int row) override { setSelectedBar(row); }

Q_SIGNALS:
    /// currentBar() changed, or the figures of the bar it names did.
    void currentBarChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// The hour lines' spacing and the value at the top of the plot.
    struct Scale {
        double step = 0;
        double top = 0;
    };
    Scale scale() const;
    QRectF plotArea() const;
    int barAt(const QPointF& position) const;
    void setHovered(int index);
    void paintBars(QPainter& painter, const QRectF& plot, double top) const;

    const Appearance& m_appearance;
    HistorySeries m_series;
    HistorySpan m_span = HistorySpan::Days;
    NamedColor m_tint = NamedColor::DailyBlue;
    int m_selected = -1;
    int m_hovered = -1;
};

} // namespace brindlemoor
