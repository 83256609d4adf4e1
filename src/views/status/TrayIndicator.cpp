// SPDX-License-Identifier: MIT
#include "views/status/TrayIndicator.h"

#include "core/foundation/DurationText.h"
#include "core/model/TodayModel.h"
#include "core/status/TrayIcon.h"
#include "views/components/Appearance.h"
#include "views/status/StatusIconEngine.h"

#include <QIcon>

namespace brindlemoor {

TrayIndicator::TrayIndicator(const Appearance& appearance, TrayIcon& tray, QObject* parent)
    : QObject(parent)
    , m_appearance(appearance)
    , m_tray(tray)
{
    connect(&m_appearance, &Appearance::changed, this, &TrayIndicator::refresh);
}

void TrayIndicator::setImage(const StatusImage& image)
{
    m_image = image;
    refresh();
}

void TrayIndicator::followToday(const TodayModel& today)
{
    // The model changes every counted second; from the first minute on the text changes once a minute.
    const auto show = [this, &today] {
        const QString text = toolTip(today);
        if (text != m_toolTip) {
            m_toolTip = text;
            m_tray.setToolTip(text);
        }
    };
    connect(&today, &TodayModel::changed, this, show);
    show();
}

QString TrayIndicator::toolTip(const TodayModel& today)
{
    if (today.isPaused())
        return tr("Monitoring paused");
    const LimitProgress daily = today.daily();
    const QString used = DurationText::spoken(daily.used);
    if (!daily.limit)
        return tr("%1 today").arg(used);
    return tr("%1 of %2 today").arg(used, DurationText::spoken(daily.limit->seconds()));
}

void TrayIndicator::refresh()
{
    if (!m_image)
        return;
    const Key key{*m_image, m_appearance.isDark()};
    if (m_drawn == key)
        return;
    m_drawn = key;
    m_tray.setIcon(QIcon(new StatusIconEngine(key.image, key.dark)));
}

} // namespace brindlemoor
