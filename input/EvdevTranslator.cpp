#include "input/EvdevTranslator.h"

#include "input/EvdevScanCodes.h"

#include <QCursor>

#include <linux/input.h>

EvdevTranslator::EvdevTranslator(CursorPos cursorPos) : m_cursorPos(std::move(cursorPos)) {}

void EvdevTranslator::handle(const input_event &event)
{
    if (event.type == EV_KEY) {
        if (event.code >= BTN_MOUSE && event.code < BTN_JOYSTICK)
            button(event.code, event.value, nullptr);
        else
            key(event.code, event.value);
    } else if (event.type == EV_REL) {
        if (event.code == REL_WHEEL)
            wheel(false);
        else if (event.code == REL_HWHEEL)
            wheel(true);
    }
}

void EvdevTranslator::key(uint code, int value)
{
    const bool down = value != 0;
    switch (code) {
    case KEY_LEFTALT:
        m_leftAlt = down;
        break;
    case KEY_RIGHTALT:
        m_rightAlt = down;
        break;
    case KEY_LEFTCTRL:
        m_leftCtrl = down;
        break;
    case KEY_RIGHTCTRL:
        m_rightCtrl = down;
        break;
    default:
        break;
    }
    if (!m_keyboardProc)
        return;
    const EvdevScanCodes::ScanCode sc = EvdevScanCodes::fromEvdev(code);
    if (sc.scan == 0)
        return;

    const bool alt = m_leftAlt || m_rightAlt;
    KeyboardEvent ev;
    ev.scanCode = sc.scan;
    ev.flags = sc.extended ? KeyFlag::kExtended : 0;
    // The keyboard itself sends other codes for these two keys while a modifier is held.
    if (code == KEY_SYSRQ && alt)
        ev = {ModifiedScan::kSysRq, 0};
    else if (code == KEY_PAUSE && (m_leftCtrl || m_rightCtrl))
        ev = {ModifiedScan::kBreak, KeyFlag::kExtended};
    if (alt)
        ev.flags |= KeyFlag::kAltDown;
    uint message;
    if (down) {
        message = alt ? HookMessage::kSysKeyDown : HookMessage::kKeyDown;
    } else {
        message = alt ? HookMessage::kSysKeyUp : HookMessage::kKeyUp;
        ev.flags |= KeyFlag::kUp;
    }
    m_keyboardProc(HookMessage::kAction, message, &ev);
}

void EvdevTranslator::button(uint code, int value, const QPoint *pos)
{
    if (!m_mouseProc || value > 1)
        return;
    const bool down = value == 1;
    uint message;
    switch (code) {
    case BTN_LEFT:
        message = down ? HookMessage::kLButtonDown : HookMessage::kLButtonUp;
        break;
    case BTN_RIGHT:
        message = down ? HookMessage::kRButtonDown : HookMessage::kRButtonUp;
        break;
    case BTN_MIDDLE:
        message = down ? HookMessage::kMButtonDown : HookMessage::kMButtonUp;
        break;
    default:
        // Side, extra, forward, back: the X buttons; the position does not matter.
        const MouseEvent none;
        m_mouseProc(HookMessage::kAction,
                    down ? HookMessage::kXButtonDown : HookMessage::kXButtonUp, &none);
        return;
    }
    const QPoint at = pos ? *pos : cursor();
    const MouseEvent ev{at.x(), at.y()};
    m_mouseProc(HookMessage::kAction, message, &ev);
}

void EvdevTranslator::wheel(bool horizontal)
{
    if (!m_mouseProc)
        return;
    const MouseEvent ev;
    m_mouseProc(HookMessage::kAction,
                horizontal ? HookMessage::kMouseHWheel : HookMessage::kMouseWheel, &ev);
}

QPoint EvdevTranslator::cursor() const
{
    return m_cursorPos ? m_cursorPos() : QCursor::pos();
}
