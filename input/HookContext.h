#pragma once

#include "input/HookTypes.h"

#include <QString>

#include <functional>

// What the start-up's hook callbacks need from the host window: its view's two entry points
// into the scene and its title. Registered as the callbacks' context.
struct HookContext
{
    std::function<void(bool isDown, uchar usbCode)> detectKeyboard;
    std::function<void(bool isDown, uint button, uint x, uint y)> detectMouse;
    std::function<QString()> windowTitle;
};

namespace HookCallbacks {

// context: a HookContext. Queue the key or button into the scene.
void keyboard(uchar usbCode, uchar isDown, void *context);
void mouse(uchar buttonCode, uchar isDown, int x, int y, void *context);
// Shows a notice (data code 9487, UTF-8 text without zero bytes) in a warning box titled with
// the window title.
void copyData(const CopyDataStruct *data, void *context);

} // namespace HookCallbacks
