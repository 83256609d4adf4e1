// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/PopoverWindow.h"

#include <QObject>

namespace brindlemoor {

class Appearance;
class InfoPopoverView;

/// The info popover: transient, made once and kept for the life of the program.
class InfoPopoverController final : public QObject {
    Q_OBJECT

public:
    explicit InfoPopoverController(const Appearance& appearance, QObject* parent = nullptr);
    ~InfoPopoverController() override;
    InfoPopoverController(const InfoPopoverController&) = delete;
    InfoPopoverController& operator=(const InfoPopoverController&) = delete;

    /// Closes it when shown, else shows it pointing at `anchor`.
    void toggle(const PopoverAnchor& anchor);

    PopoverWindow& popover() { return *m_popover; }
    InfoPopoverView& view() { return *m_view; }

private:
    PopoverWindow* m_popover;
    InfoPopoverView* m_view;
};

} // namespace brindlemoor
