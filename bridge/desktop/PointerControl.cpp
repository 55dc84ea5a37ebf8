#include "bridge/desktop/PointerControl.h"

#include "bridge/ProfileStore.h"
#include "bridge/desktop/PointerSteps.h"

#include <QDebug>

namespace {

const QString cursorSpeedKey = QStringLiteral("sensor/cursorSpeed_V7");
const QString scrollLinesKey = QStringLiteral("sensor/verticalScrollLines_V7");
const QString doubleClickKey = QStringLiteral("sensor/doubleClickSpeed_V7");

} // namespace

PointerControl::PointerControl(ProfileStore &profiles) : m_profiles(profiles) {}

PointerControl::~PointerControl() = default;

void PointerControl::setSettings(std::unique_ptr<PointerSettings> settings)
{
    m_settings = std::move(settings);
}

PointerSettings &PointerControl::settings()
{
    if (!m_settings)
        m_settings = PointerSettings::forDesktop();
    return *m_settings;
}

// Each setter stores the page's step first, so the profile keeps it even when the desktop
// refuses the value.

void PointerControl::setCursorSpeed(uint cursorSpeed)
{
    m_profiles.current().setValue(cursorSpeedKey, QVariant(cursorSpeed));
    if (!settings().setMouseSpeed(PointerSteps::cursorSpeed(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

uint PointerControl::cursorSpeed() const
{
    return m_profiles.current().value(cursorSpeedKey, 0).toUInt();
}

void PointerControl::setVerticalScrollLines(uint lines)
{
    m_profiles.current().setValue(scrollLinesKey, QVariant(lines));
    if (!settings().setWheelScrollLines(PointerSteps::wheelLines(lines)))
        qDebug() << "setVerticalScrollLines Failed";
}

uint PointerControl::verticalScrollLines() const
{
    return m_profiles.current().value(scrollLinesKey, 0).toUInt();
}

void PointerControl::setDoubleClickSpeed(uint speed)
{
    m_profiles.current().setValue(doubleClickKey, QVariant(speed));
    if (!settings().setDoubleClickTime(PointerSteps::doubleClickMs(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

uint PointerControl::doubleClickSpeed() const
{
    return m_profiles.current().value(doubleClickKey, 0).toUInt();
}

void PointerControl::setAcceleration(bool acceleration)
{
    PointerSettings::MouseArray mouse{};
    if (!settings().getMouse(mouse)) {
        qDebug() << "setAcceleration Failed";
        return;
    }
    mouse[2] = acceleration ? 1 : 0;
    if (!settings().setMouse(mouse))
        qDebug() << "setAcceleration Failed";
}

bool PointerControl::acceleration()
{
    PointerSettings::MouseArray mouse{};
    if (!settings().getMouse(mouse)) {
        qDebug() << "getAcceleration Failed";
        return false;
    }
    return mouse[2] != 0;
}
