#include "input/LinuxHookBackend.h"

#include "input/EvdevSource.h"
#include "input/InputDeviceMonitor.h"
#include "input/LibevdevDevice.h"
#include "input/QtInputFilter.h"

#include <QGuiApplication>

LinuxHookBackend::LinuxHookBackend(std::unique_ptr<EvdevDeviceOpener> opener, QString inputDir,
                                   bool watchDevices)
    : m_inputDir(std::move(inputDir)), m_watchDevices(watchDevices)
{
    if (!opener)
        opener = std::make_unique<LibevdevOpener>();
    m_source = std::make_unique<EvdevSource>(m_translator, std::move(opener));
    m_fallback = std::make_unique<QtInputFilter>(m_translator);
    QObject::connect(m_source.get(), &EvdevSource::devicesChanged, m_source.get(),
                     [this] { updateFallback(); });
}

LinuxHookBackend::~LinuxHookBackend()
{
    m_monitor.reset();
    m_fallback->setCapture(false, false);
    QObject::disconnect(m_source.get(), nullptr, m_source.get(), nullptr);
    m_source->clear();
}

HookHandle LinuxHookBackend::setKeyboardHook(KeyboardProc proc)
{
    if (!proc)
        return nullptr;
    m_translator.setKeyboardProc(proc);
    start();
    // Without a node and without windows of our own there is nothing to listen to.
    if (!m_source->hasKeyboard() &&
        !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_translator.setKeyboardProc(nullptr);
        stopIfIdle();
        return nullptr;
    }
    updateFallback();
    return &m_keyboardHandle;
}

HookHandle LinuxHookBackend::setMouseHook(MouseProc proc)
{
    if (!proc)
        return nullptr;
    m_translator.setMouseProc(proc);
    start();
    if (!m_source->hasMouse() && !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_translator.setMouseProc(nullptr);
        stopIfIdle();
        return nullptr;
    }
    updateFallback();
    return &m_mouseHandle;
}

void LinuxHookBackend::unhook(HookHandle handle)
{
    if (handle == &m_keyboardHandle)
        m_translator.setKeyboardProc(nullptr);
    else if (handle == &m_mouseHandle)
        m_translator.setMouseProc(nullptr);
    else
        return;
    updateFallback();
    stopIfIdle();
}

void LinuxHookBackend::start()
{
    if (m_started)
        return;
    m_started = true;
    if (m_watchDevices) {
        m_monitor = std::make_unique<InputDeviceMonitor>();
        QObject::connect(m_monitor.get(), &InputDeviceMonitor::added, m_source.get(),
                         [this](const QString &node) { m_source->addDevice(node); });
        QObject::connect(m_monitor.get(), &InputDeviceMonitor::removed, m_source.get(),
                         [this](const QString &node) { m_source->removeDevice(node); });
    }
    m_source->scan(m_inputDir);
}

void LinuxHookBackend::stopIfIdle()
{
    if (!m_started || m_translator.keyboardProc() || m_translator.mouseProc())
        return;
    m_started = false;
    m_monitor.reset();
    m_source->clear();
}

void LinuxHookBackend::updateFallback()
{
    m_fallback->setCapture(m_translator.keyboardProc() && !m_source->hasKeyboard(),
                           m_translator.mouseProc() && !m_source->hasMouse());
}
