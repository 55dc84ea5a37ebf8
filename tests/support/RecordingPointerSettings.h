#pragma once

#include "bridge/desktop/PointerSettings.h"

#include <QString>
#include <QStringList>

// Records every pointer action as one line ("speed 10", "lines 3", "doubleClick 550",
// "getMouse", "setMouse 6 10 1"); refuses them all while `refuse` is set.
class RecordingPointerSettings final : public PointerSettings
{
public:
    QStringList calls;
    bool refuse = false;
    // What getMouse reports and setMouse keeps.
    MouseArray mouse{6, 10, 0};

    bool setMouseSpeed(unsigned speed) override
    {
        return record(QStringLiteral("speed %1").arg(speed));
    }
    bool setWheelScrollLines(unsigned lines) override
    {
        return record(QStringLiteral("lines %1").arg(lines));
    }
    bool setDoubleClickTime(unsigned ms) override
    {
        return record(QStringLiteral("doubleClick %1").arg(ms));
    }
    bool getMouse(MouseArray &out) override
    {
        if (!record(QStringLiteral("getMouse")))
            return false;
        out = mouse;
        return true;
    }
    bool setMouse(const MouseArray &in) override
    {
        if (!record(QStringLiteral("setMouse %1 %2 %3").arg(in[0]).arg(in[1]).arg(in[2])))
            return false;
        mouse = in;
        return true;
    }

private:
    bool record(const QString &call)
    {
        calls.append(call);
        return !refuse;
    }
};
