#pragma once

#include "input/HookContext.h"
#include "input/InputHook.h"

#include <QPointer>

class QWidget;
class myQQuickView;

// The start-up's use of the input hook: installs it, registers the keyboard, mouse and notice
// callbacks with the host window as their context, and removes the hooks when it goes.
class InputCapture
{
public:
    explicit InputCapture(QWidget &window);
    ~InputCapture();
    InputCapture(const InputCapture &) = delete;
    InputCapture &operator=(const InputCapture &) = delete;

private:
    // The window's scene view, found once it exists.
    myQQuickView *view();

    QWidget &m_window;
    QPointer<myQQuickView> m_view;
    HookContext m_context;
    InputHook m_hook;
};
