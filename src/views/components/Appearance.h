// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace brindlemoor {

/// Light or dark, as the desktop says; every view repaints when it changes.
class Appearance final : public QObject {
    Q_OBJECT

public:
    static Appearance& instance();

    bool isDark() const { return m_dark; }
    /// For the gallery and tests, and for the desktop's own signal of a change.
    void setDark(bool dark);

Q_SIGNALS:
    void changed();

private:
    Appearance();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void followPalette();

    bool m_dark = false;
    bool m_pinned = false;
};

} // namespace brindlemoor
