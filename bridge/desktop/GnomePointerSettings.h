#pragma once

#include "bridge/desktop/PointerSettings.h"

typedef struct _GSettings GSettings;
typedef struct _GSettingsSchema GSettingsSchema;
typedef struct _GVariant GVariant;

// GNOME: org.gnome.desktop.peripherals.mouse through GSettings. GNOME has no wheel-lines
// setting and no acceleration thresholds: the thresholds read as 6 and 10 and are ignored on
// write, and acceleration is the accel-profile ('flat' is off).
class GnomePointerSettings final : public PointerSettings
{
public:
    static constexpr const char *schemaId = "org.gnome.desktop.peripherals.mouse";

    GnomePointerSettings();
    ~GnomePointerSettings() override;
    GnomePointerSettings(const GnomePointerSettings &) = delete;
    GnomePointerSettings &operator=(const GnomePointerSettings &) = delete;

    // False when the schema is not installed; every action then fails.

    bool setMouseSpeed(unsigned speed) override;
    bool setWheelScrollLines(unsigned lines) override;
    bool setDoubleClickTime(unsigned ms) override;
    bool getMouse(MouseArray &mouse) override;
    bool setMouse(const MouseArray &mouse) override;

    // 1..20 onto GSettings' -1..1, 10 being 0.
    static double gnomeSpeed(unsigned speed) { return (double(speed) - 10.0) / 10.0; }

private:
    bool hasKey(const char *key) const;
    // Takes a floating value; false when the key is missing, read-only or out of range.
    bool write(const char *key, GVariant *value);

    GSettingsSchema *m_schema = nullptr;
    GSettings *m_settings = nullptr;
};
