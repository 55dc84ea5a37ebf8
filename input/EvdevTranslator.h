#pragma once

#include "input/HookTypes.h"

#include <QPoint>

#include <functional>

struct input_event;

// Turns evdev key, button and wheel events into the low-level hook messages and hands them to
// the installed procedures. Keeps only the Alt and Control state, which decide how Print Screen
// and Pause arrive.
class EvdevTranslator
{
public:
    using CursorPos = std::function<QPoint()>;

    // cursorPos gives the pointer position for button messages (QCursor::pos() when empty).
    explicit EvdevTranslator(CursorPos cursorPos = {});

    void setKeyboardProc(KeyboardProc proc) { m_keyboardProc = proc; }
    void setMouseProc(MouseProc proc) { m_mouseProc = proc; }
    KeyboardProc keyboardProc() const { return m_keyboardProc; }
    MouseProc mouseProc() const { return m_mouseProc; }

    void handle(const input_event &event);
    // value: 0 release, 1 press, 2 autorepeat.
    void key(uint code, int value);
    // A mouse button (BTN_LEFT ...); without a position the pointer's is taken.
    void button(uint code, int value, const QPoint *pos);
    // Wheels are passed on as messages only; the procedure does not report them.
    void wheel(bool horizontal);

private:
    QPoint cursor() const;

    CursorPos m_cursorPos;
    KeyboardProc m_keyboardProc = nullptr;
    MouseProc m_mouseProc = nullptr;
    bool m_leftAlt = false;
    bool m_rightAlt = false;
    bool m_leftCtrl = false;
    bool m_rightCtrl = false;
};
