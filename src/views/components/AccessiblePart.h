// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <QWindow>

namespace brindlemoor::accessibility {

/// A painted part of a view, read-only and without children. It has no object of its own, so it
/// lives in the registry under an id until its view is gone, and reads the view at each question.
class ViewPart : public QAccessibleInterface {
public:
    explicit ViewPart(QWidget* view)
        : m_view(view)
    {
    }

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !m_view || !m_view->isVisible();
        return state;
    }

protected:
    QWidget* view() const { return m_view.data(); }

    /// Where `local`, in the view's coordinates, stands on the screen; empty once the part is gone.
    QRect onScreen(const QRectF& local) const
    {
        if (!isValid())
            return {};
        const QRect rect = local.toAlignedRect();
        return {m_view->mapToGlobal(rect.topLeft()), rect.size()};
    }

private:
    QPointer<QWidget> m_view;
};

} // namespace brindlemoor::accessibility
