#pragma once

#include "bridge/desktop/PointerSettings.h"

#include <memory>

class ProfileStore;

// The sensor page's pointer steps: kept in the current profile and handed to the desktop.
class PointerControl
{
public:
    explicit PointerControl(ProfileStore &profiles);
    ~PointerControl();

    // Replaces the desktop's pointer settings (tests install a fake).
    void setSettings(std::unique_ptr<PointerSettings> settings);

    void setCursorSpeed(uint cursorSpeed);
    uint cursorSpeed() const;
    void setVerticalScrollLines(uint lines);
    uint verticalScrollLines() const;
    void setDoubleClickSpeed(uint speed);
    uint doubleClickSpeed() const;
    void setAcceleration(bool acceleration);
    bool acceleration();

private:
    // Chosen from the running desktop on first use.
    PointerSettings &settings();

    ProfileStore &m_profiles;
    std::unique_ptr<PointerSettings> m_settings;
};
