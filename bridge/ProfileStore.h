#pragma once

#include <QSettings>
#include <QVariantList>

#include <memory>
#include <vector>

class Languages;

// The application settings (apConfig.bin), the ten Profile Files and their factory copies, and
// which profile is current. Import and export ask for a file and warn in the loaded language.
class ProfileStore
{
public:
    static constexpr int kProfiles = 10;

    explicit ProfileStore(const Languages &languages);
    ~ProfileStore();

    QSettings &apConfig() { return *m_apConfig; }
    // The Profile File at the Current Profile Index.
    QSettings &current() { return *m_profiles[size_t(m_current)]; }
    int currentIndex() const { return m_current; }
    // Makes profile current; false when it already is or there is no such profile.
    bool select(int profile);

    void saveApConfig(const QVariantList &apConfigs);
    QVariantList loadApConfig() const;
    QVariantList loadDeviceApConfig() const;
    void resetApConfig();
    // The factory values one page of the scene shows.
    QVariantList loadDefaultProfile(uchar uiPageId) const;
    // Import, export and factory reset of one profile; out-of-range indexes are ignored.
    void importProfile(int profile);
    void exportProfile(int profile);
    void resetProfile(int profile);

private:
    bool exists(int profile) const { return profile >= 0 && profile < int(m_profiles.size()); }

    const Languages &m_languages;
    std::unique_ptr<QSettings> m_apConfig;
    std::vector<std::unique_ptr<QSettings>> m_profiles;
    int m_current = 0;
};
