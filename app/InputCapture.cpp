#include "app/InputCapture.h"

#include "bridge/myQQuickView.h"

#include <QCoreApplication>
#include <QWidget>

InputCapture::InputCapture(QWidget &window) : m_window(window), m_hook(false)
{
    m_context.detectKeyboard = [this](bool isDown, uchar usbCode) {
        if (myQQuickView *v = view())
            v->detectKeyboard(isDown, usbCode);
    };
    m_context.detectMouse = [this](bool isDown, uint button, uint x, uint y) {
        if (myQQuickView *v = view())
            v->detectMouse(isDown, button, x, y);
    };
    m_context.windowTitle = [this] { return m_window.windowTitle(); };
    InputHook::setKeyboardCallback(&HookCallbacks::keyboard, &m_context);
    InputHook::setMouseCallback(&HookCallbacks::mouse, &m_context);
    InputHook::setCopyDataFilter(&HookCallbacks::copyData, QCoreApplication::instance(), &m_context,
                                 m_window.windowTitle());
}

InputCapture::~InputCapture()
{
    InputHook::removeHooks();
    InputHook::setKeyboardCallback(nullptr, nullptr);
    InputHook::setMouseCallback(nullptr, nullptr);
    InputHook::setCopyDataFilter(nullptr, QCoreApplication::instance(), nullptr,
                                 m_window.windowTitle());
}

myQQuickView *InputCapture::view()
{
    if (!m_view)
        m_view = m_window.findChild<myQQuickView *>();
    return m_view.data();
}
