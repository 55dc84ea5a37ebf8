#include "bridge/myQQuickView.h"

#include "bridge/desktop/PointerSteps.h"

#include <QDebug>

namespace {

const QString cursorSpeedKey = QStringLiteral("sensor/cursorSpeed_V7");
const QString scrollLinesKey = QStringLiteral("sensor/verticalScrollLines_V7");
const QString doubleClickKey = QStringLiteral("sensor/doubleClickSpeed_V7");

} // namespace

void myQQuickView::setPointerSettings(std::unique_ptr<PointerSettings> settings)
{
    m_pointerSettings = std::move(settings);
}

PointerSettings &myQQuickView::pointerSettings()
{
    if (!m_pointerSettings)
        m_pointerSettings = PointerSettings::forDesktop();
    return *m_pointerSettings;
}

// Each setter stores the page's step first, so the profile keeps it even when the desktop
// refuses the value.

void myQQuickView::setCursorSpeed(uint cursorSpeed)
{
    currentProfile().setValue(cursorSpeedKey, QVariant(cursorSpeed));
    if (!pointerSettings().setMouseSpeed(PointerSteps::cursorSpeed(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

uint myQQuickView::getCursorSpeed()
{
    return currentProfile().value(cursorSpeedKey, 0).toUInt();
}

void myQQuickView::setVerticalScrollLines(uint lines)
{
    currentProfile().setValue(scrollLinesKey, QVariant(lines));
    if (!pointerSettings().setWheelScrollLines(PointerSteps::wheelLines(lines)))
        qDebug() << "setVerticalScrollLines Failed";
}

uint myQQuickView::getVerticalScrollLines()
{
    return currentProfile().value(scrollLinesKey, 0).toUInt();
}

void myQQuickView::setDoubleClickSpeed(uint speed)
{
    currentProfile().setValue(doubleClickKey, QVariant(speed));
    if (!pointerSettings().setDoubleClickTime(PointerSteps::doubleClickMs(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

uint myQQuickView::getDoubleClickSpeed()
{
    return currentProfile().value(doubleClickKey, 0).toUInt();
}

void myQQuickView::setAcceleration(bool acceleration)
{
    PointerSettings::MouseArray mouse{};
    if (!pointerSettings().getMouse(mouse)) {
        qDebug() << "setAcceleration Failed";
        return;
    }
    mouse[2] = acceleration ? 1 : 0;
    if (!pointerSettings().setMouse(mouse))
        qDebug() << "setAcceleration Failed";
}

bool myQQuickView::getAcceleration()
{
    PointerSettings::MouseArray mouse{};
    if (!pointerSettings().getMouse(mouse)) {
        qDebug() << "getAcceleration Failed";
        return false;
    }
    return mouse[2] != 0;
}
