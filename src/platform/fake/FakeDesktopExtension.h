// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/DesktopExtension.h"

namespace brindlemoor {

/// An extension in the state the test sets; enable() only counts the clicks, so that the test
/// decides what the shell answers.
class FakeDesktopExtension final : public DesktopExtension {
public:
    explicit FakeDesktopExtension(State state, QObject* parent = nullptr)
        : DesktopExtension(parent)
        , m_state(state)
    {
    }

    State state() const override { return m_state; }
    void enable() override { ++enables; }

    void setState(State state)
    {
        if (state == m_state)
            return;
        m_state = state;
        Q_EMIT stateChanged();
    }

    int enables = 0;

private:
    State m_state;
};

} // namespace brindlemoor
