#pragma once

#include <QEvent>

// Posted to the host window once, so the scene's "run" follows its "initUI".
class UserEvent : public QEvent
{
public:
    static constexpr int kStartUi = 2177;

    explicit UserEvent(int code = kStartUi) : QEvent(QEvent::User), code(code) {}
    int code;
};
