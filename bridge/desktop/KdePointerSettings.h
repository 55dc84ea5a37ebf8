#pragma once

#include "bridge/desktop/PointerSettings.h"

#include <QString>

// KDE Plasma: [KDE] WheelScrollLines and DoubleClickInterval of kdeglobals. Pointer speed and
// acceleration are per-device input settings there, which this backend does not take.
class KdePointerSettings final : public PointerSettings
{
public:
    // Default file: kdeglobals in the user's configuration folder. announce: tell running
    // applications over the session bus after a change.
    explicit KdePointerSettings(QString file = QString(), bool announce = true);

    bool setMouseSpeed(unsigned) override { return false; }
    bool setWheelScrollLines(unsigned lines) override;
    bool setDoubleClickTime(unsigned ms) override;
    bool getMouse(MouseArray &) override { return false; }
    bool setMouse(const MouseArray &) override { return false; }

    QString fileName() const { return m_file; }

private:
    bool writeKey(const QString &key, unsigned value);

    QString m_file;
    bool m_announce;
};
