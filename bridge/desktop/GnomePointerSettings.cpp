// GIO first: its headers use "signals" as a member name, which Qt's keyword would replace.
#include <gio/gio.h>

#include "bridge/desktop/GnomePointerSettings.h"

#include <climits>
#include <cstring>

namespace {

constexpr const char *speedKey = "speed";
constexpr const char *doubleClickKey = "double-click";
constexpr const char *accelKey = "accel-profile";

// GNOME keeps no thresholds; these are what a caller that writes the array back expects.
constexpr int threshold1 = 6;
constexpr int threshold2 = 10;

} // namespace

GnomePointerSettings::GnomePointerSettings()
{
    // Looked up first: g_settings_new() on a missing schema aborts the process.
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return;
    m_schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (m_schema)
        m_settings = g_settings_new_full(m_schema, nullptr, nullptr);
}

GnomePointerSettings::~GnomePointerSettings()
{
    if (m_settings) {
        // Hand pending writes to the settings daemon before the program may end.
        g_settings_sync();
        g_object_unref(m_settings);
    }
    if (m_schema)
        g_settings_schema_unref(m_schema);
}

bool GnomePointerSettings::hasKey(const char *key) const
{
    return m_settings && g_settings_schema_has_key(m_schema, key);
}

bool GnomePointerSettings::write(const char *key, GVariant *value)
{
    g_variant_ref_sink(value);
    bool ok = hasKey(key);
    if (ok) {
        GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(m_schema, key);
        // Checked here so GLib never warns about a bad value: we fail quietly instead.
        ok = g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey)) &&
             g_settings_schema_key_range_check(schemaKey, value) &&
             g_settings_is_writable(m_settings, key);
        g_settings_schema_key_unref(schemaKey);
    }
    if (ok)
        ok = g_settings_set_value(m_settings, key, value);
    g_variant_unref(value);
    return ok;
}

bool GnomePointerSettings::setMouseSpeed(unsigned speed)
{
    if (speed < 1 || speed > 20)
        return false;
    return write(speedKey, g_variant_new_double(gnomeSpeed(speed)));
}

bool GnomePointerSettings::setWheelScrollLines(unsigned)
{
    return false;
}

bool GnomePointerSettings::setDoubleClickTime(unsigned ms)
{
    // A wrapped-around time (a step beyond the slider) is refused, not stored.
    if (ms == 0 || ms > unsigned(INT_MAX))
        return false;
    return write(doubleClickKey, g_variant_new_int32(int(ms)));
}

bool GnomePointerSettings::getMouse(MouseArray &mouse)
{
    if (!hasKey(accelKey))
        return false;
    gchar *profile = g_settings_get_string(m_settings, accelKey);
    const bool flat = std::strcmp(profile, "flat") == 0;
    g_free(profile);
    mouse = {threshold1, threshold2, flat ? 0 : 1};
    return true;
}

bool GnomePointerSettings::setMouse(const MouseArray &mouse)
{
    MouseArray current;
    if (!getMouse(current))
        return false;
    const bool on = mouse[2] != 0;
    // Already on ('default' or 'adaptive') or already off: keep the user's own choice.
    if (on == (current[2] != 0))
        return true;
    return write(accelKey, g_variant_new_string(on ? "default" : "flat"));
}
