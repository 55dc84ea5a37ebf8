#pragma once

#include "input/EvdevDevice.h"
#include "input/EvdevTranslator.h"
#include "input/HookBackend.h"

#include <QString>

#include <memory>

class EvdevSource;
class InputDeviceMonitor;
class QtInputFilter;

// The desktop's hooks: every readable event node (and those plugged in later), or, for what no
// node provides, this application's own key and button events.
class LinuxHookBackend final : public HookBackend
{
public:
    explicit LinuxHookBackend(std::unique_ptr<EvdevDeviceOpener> opener = nullptr,
                              QString inputDir = QStringLiteral("/dev/input"),
                              bool watchDevices = true);
    ~LinuxHookBackend() override;

    HookHandle setKeyboardHook(KeyboardProc proc) override;
    HookHandle setMouseHook(MouseProc proc) override;
    void unhook(HookHandle handle) override;

    EvdevTranslator &translator() { return m_translator; }
    EvdevSource &source() { return *m_source; }
    QtInputFilter &fallback() { return *m_fallback; }
    // Null while no hook is installed or when not watching for new nodes.
    InputDeviceMonitor *monitor() const { return m_monitor.get(); }

private:
    void start();
    void stopIfIdle();
    // Falls back to the application's events for what no open node provides.
    void updateFallback();

    EvdevTranslator m_translator;
    QString m_inputDir;
    bool m_watchDevices;
    bool m_started = false;
    std::unique_ptr<EvdevSource> m_source;
    std::unique_ptr<QtInputFilter> m_fallback;
    std::unique_ptr<InputDeviceMonitor> m_monitor;
    // Their addresses are the handles.
    const char m_keyboardHandle = 0;
    const char m_mouseHandle = 0;
};
