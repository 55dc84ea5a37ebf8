#pragma once

#include "input/HookContext.h"
#include "input/InputHook.h"

#include <QStringList>

// Registers itself as the hook's keyboard and mouse callbacks and records what would reach the
// scene, as "+E1" (down) / "-E1" (up) and "+F0@640,360".
struct HookRecorder
{
    HookRecorder()
    {
        context.detectKeyboard = [this](bool isDown, uchar usb) {
            reports << QStringLiteral("%1%2")
                           .arg(isDown ? '+' : '-')
                           .arg(usb, 2, 16, QLatin1Char('0'))
                           .toUpper();
        };
        context.detectMouse = [this](bool isDown, uint button, uint x, uint y) {
            reports << QStringLiteral("%1%2@%3,%4")
                           .arg(isDown ? '+' : '-')
                           .arg(button, 2, 16, QLatin1Char('0'))
                           .toUpper()
                           .arg(x)
                           .arg(y);
        };
        InputHook::setKeyboardCallback(&HookCallbacks::keyboard, &context);
        InputHook::setMouseCallback(&HookCallbacks::mouse, &context);
    }
    ~HookRecorder()
    {
        InputHook::setKeyboardCallback(nullptr, nullptr);
        InputHook::setMouseCallback(nullptr, nullptr);
    }

    HookContext context;
    QStringList reports;
};
