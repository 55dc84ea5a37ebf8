#pragma once

#include "input/HookTypes.h"

// Where the hook procedures get their events from. The desktop backend reads the event
// devices; tests use a fake that calls the procedures directly.
class HookBackend
{
public:
    virtual ~HookBackend() = default;

    // Starts delivering keyboard (mouse) messages to the procedure; null when refused.
    virtual HookHandle setKeyboardHook(KeyboardProc proc) = 0;
    virtual HookHandle setMouseHook(MouseProc proc) = 0;
    // Stops the hook behind the handle; a null or unknown handle is ignored.
    virtual void unhook(HookHandle handle) = 0;
};
