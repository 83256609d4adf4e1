// SPDX-License-Identifier: MIT
#include "views/components/PopoverWindow.h"
#include "support/WidgetTesting.h"
#include "views/components/NamedColors.h"

#include <QDialog>
#include <QScreen>
#include <QSignalSpy>

using namespace brindlemoor;
using brindlemoor::test::near;
using brindlemoor::test::pixel;

namespace {

class Popover : public brindlemoor::test::WidgetTest {};

QWidget* content(QSize size)
{
    auto* widget = new QWidget;
    widget->setFixedSize(size);
    return widget;
}

// What a window system's activation ends in, at once. Qt 6.5 deprecates it for programs, which
// should ask the window system instead; a test of what activation does needs it.
void activate(QWidget& window)
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(&window);
    QT_WARNING_POP
}

} // namespace

TEST(PopoverPlacement, UnderOrAboveTheAnchorAndOnTheScreen)
{
    using Edge = PopoverWindow::Edge;
    constexpr int m = PopoverWindow::margin;
    constexpr int arrow = PopoverWindow::arrowHeight;
    constexpr int gap = PopoverWindow::anchorGap;
    const QRect fullHd(0, 0, 1920, 1080);
    const QRect underTopPanel(0, 28, 1920, 1052);
    const QRect topTray(900, 0, 24, 28);
    const QSize card(360, 500);
    const int belowTopPanel = 28 + gap + arrow;
    struct Case {
        const char* what;
        QSize panel;
        QRect anchor;
        QRect screen;
        QRect available;
        Edge edge;
        int panelTop;  // expected top of the panel
        int arrowTipX; // expected global x of the arrow's tip
    };
    // clang-format off
    const Case cases[] = {
        {"top panel, middle", card, topTray, fullHd, underTopPanel, Edge::Below, belowTopPanel, 912},
        {"top panel, right corner", card, {1890, 0, 24, 28}, fullHd, underTopPanel, Edge::Below, belowTopPanel, 1902},
        {"bottom panel", card, {1800, 1046, 24, 34}, fullHd, {0, 0, 1920, 1046}, Edge::Above, 1046 - gap - arrow - 500,
         1812},
        {"pointer at the bottom left", card, {3, 1075, 1, 1}, fullHd, fullHd, Edge::Above, 1075 - gap - arrow - 500, 3},
        {"taller than the room below", {360, 1200}, topTray, fullHd, underTopPanel, Edge::Below, 28, 912},
        {"second screen", card, {3000, 0, 24, 24}, {1920, 0, 1280, 1024}, {1920, 24, 1280, 1000}, Edge::Below,
         24 + gap + arrow, 3012},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto placed = PopoverWindow::place(c.panel, c.anchor, c.screen, c.available);
        EXPECT_EQ(placed.edge, c.edge);
        const int panelTop = placed.window.top() + m + (c.edge == Edge::Below ? arrow : 0);
        const int panelLeft = placed.window.left() + m;
        EXPECT_EQ(panelTop, c.panelTop);
        EXPECT_GE(panelLeft, c.available.left());
        EXPECT_LE(panelLeft + c.panel.width(), c.available.right() + 1);
        // The arrow stays on the straight part of the edge, as near the anchor as that allows.
        const int straightMin = panelLeft + PopoverWindow::cornerRadius + PopoverWindow::arrowWidth / 2;
        const int straightMax =
            panelLeft + c.panel.width() - PopoverWindow::cornerRadius - PopoverWindow::arrowWidth / 2;
        EXPECT_EQ(placed.window.left() + placed.arrowX, std::clamp(c.arrowTipX, straightMin, straightMax));
    }

    // No tray item to point at: the middle of the free area, no arrow, the top kept in view.
    const QRect free(0, 28, 1920, 1052);
    const auto centred = PopoverWindow::place({360, 500}, QRect(), fullHd, free);
    EXPECT_EQ(centred.edge, Edge::None);
    EXPECT_EQ(centred.window, QRect(780, 304, 360, 500).marginsAdded({m, m, m, m}));
    EXPECT_EQ(PopoverWindow::place({360, 1200}, QRect(), fullHd, free).window.top() + m, 28);
}

TEST_F(Popover, ShowsItsContentWithAnArrowAndFollowsItsSize)
{
    PopoverWindow popover(appearance);
    auto* panelContent = content({200, 100});
    const QRect tray(300, 0, 24, 24);
    popover.showPopover(panelContent, PopoverAnchor::fromRect(tray));
    ASSERT_TRUE(popover.isShown());
    EXPECT_EQ(popover.content(), panelContent);
    EXPECT_EQ(panelContent->parentWidget(), &popover);
    EXPECT_EQ(panelContent->geometry(), popover.panelRect());
    EXPECT_EQ(popover.panelRect().size(), QSize(200, 100));
    EXPECT_EQ(popover.edge(), PopoverWindow::Edge::Below);
    EXPECT_EQ(popover.arrowTip(), QPoint(312, 24 + PopoverWindow::anchorGap));

    const QImage image = brindlemoor::test::render(&popover);
    const QPoint tip = popover.mapFromGlobal(popover.arrowTip());
    const QColor panel = roleColor(ColorRole::PopoverBackground, appearance.scheme());
    EXPECT_TRUE(near(pixel(image, tip + QPoint(0, 5)), panel, 3)) << "inside the arrow";
    EXPECT_LT(pixel(image, tip + QPoint(-12, 2)).alpha(), 60) << "beside the arrow: only shadow";
    EXPECT_TRUE(near(pixel(image, popover.panelRect().center()), panel, 3));
    EXPECT_EQ(pixel(image, QPoint(0, popover.height() - 1)).alpha(), 0) << "the corner is past the shadow";

    // Content that grows makes the panel grow, still pointing at the tray.
    panelContent->setFixedSize(200, 160);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(popover.panelRect().size(), QSize(200, 160));
    EXPECT_EQ(popover.arrowTip(), QPoint(312, 24 + PopoverWindow::anchorGap));

    // A new content replaces the old one, which goes.
    QPointer<QWidget> old = panelContent;
    popover.showPopover(content({120, 80}), PopoverAnchor::fromPoint(QPoint(100, 590)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(popover.edge(), PopoverWindow::Edge::Above);
}

TEST_F(Popover, TransientClosesOnAClickElsewhereOnlyAndApplicationDefinedStays)
{
    PopoverWindow transient(appearance, PopoverWindow::Behavior::Transient);
    auto* panelContent = content({200, 100});
    transient.showPopover(panelContent, PopoverAnchor::fromRect({300, 0, 24, 24}));
    QSignalSpy closed(&transient, &PopoverWindow::closed);

    transient.handleGlobalClick(transient.geometry().center());
    EXPECT_TRUE(transient.isShown());

    // A window the popover opened (a colour dialog) is part of it.
    QDialog dialog(panelContent);
    dialog.setGeometry(500, 300, 100, 80);
    dialog.show();
    transient.handleGlobalClick(QPoint(550, 340));
    EXPECT_TRUE(transient.isShown());
    dialog.hide();

    transient.handleGlobalClick(QPoint(550, 340));
    EXPECT_FALSE(transient.isShown());
    transient.closePopover();
    EXPECT_EQ(closed.count(), 1);

    PopoverWindow pinned(appearance, PopoverWindow::Behavior::ApplicationDefined);
    pinned.showPopover(content({200, 100}), PopoverAnchor::fromRect({300, 0, 24, 24}));
    pinned.handleGlobalClick(QPoint(700, 500));
    EXPECT_TRUE(pinned.isShown());
    pinned.closePopover();
    EXPECT_FALSE(pinned.isShown());
}

TEST_F(Popover, TransientClosesWhenActivationGoesToAnotherWindow)
{
    QWidget elsewhere;
    elsewhere.setGeometry(500, 300, 100, 80);
    elsewhere.show();

    PopoverWindow transient(appearance, PopoverWindow::Behavior::Transient);
    auto* panelContent = content({200, 100});
    transient.showPopover(panelContent, PopoverAnchor::fromRect({300, 0, 24, 24}));
    activate(transient);
    ASSERT_TRUE(transient.isActiveWindow());

    // Activation moving to the popover's own dialog keeps it open.
    QDialog dialog(panelContent);
    dialog.show();
    activate(dialog);
    EXPECT_TRUE(transient.isShown());
    dialog.hide();

    activate(transient);
    activate(elsewhere);
    EXPECT_FALSE(transient.isShown());

    PopoverWindow pinned(appearance, PopoverWindow::Behavior::ApplicationDefined);
    pinned.showPopover(content({200, 100}), PopoverAnchor::fromRect({300, 0, 24, 24}));
    activate(pinned);
    activate(elsewhere);
    EXPECT_TRUE(pinned.isShown());
}
