#pragma once

#include <array>
#include <memory>

// The desktop's own pointer settings, in the units the sensor page converts its steps to:
// pointer speed 1..20 (10 is the desktop's neutral speed), wheel lines per notch, double-click
// time in ms, and the mouse array (threshold 1, threshold 2, acceleration on when non-zero).
// Every action returns false when the desktop cannot take it.
class PointerSettings
{
public:
    using MouseArray = std::array<int, 3>;

    virtual ~PointerSettings() = default;

    virtual bool setMouseSpeed(unsigned speed) = 0;
    virtual bool setWheelScrollLines(unsigned lines) = 0;
    virtual bool setDoubleClickTime(unsigned ms) = 0;
    virtual bool getMouse(MouseArray &mouse) = 0;
    virtual bool setMouse(const MouseArray &mouse) = 0;

    // The backend of the running desktop, from XDG_CURRENT_DESKTOP: GNOME's GSettings, KDE
    // Plasma's kdeglobals, or one that refuses everything.
    static std::unique_ptr<PointerSettings> forDesktop();
};

// For desktops we do not know: claiming success would hide that nothing changed.
class NoPointerSettings final : public PointerSettings
{
public:
    bool setMouseSpeed(unsigned) override { return false; }
    bool setWheelScrollLines(unsigned) override { return false; }
    bool setDoubleClickTime(unsigned) override { return false; }
    bool getMouse(MouseArray &) override { return false; }
    bool setMouse(const MouseArray &) override { return false; }
};
