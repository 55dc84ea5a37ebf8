#include "input/QtInputFilter.h"

#include "input/EvdevTranslator.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <linux/input-event-codes.h>

namespace {

// X11 and Wayland key codes are evdev codes plus 8.
constexpr quint32 kNativeKeyOffset = 8;

uint evdevButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return BTN_LEFT;
    case Qt::RightButton:
        return BTN_RIGHT;
    case Qt::MiddleButton:
        return BTN_MIDDLE;
    case Qt::BackButton:
        return BTN_SIDE;
    case Qt::ForwardButton:
        return BTN_EXTRA;
    default:
        return 0;
    }
}

} // namespace

QtInputFilter::QtInputFilter(EvdevTranslator &translator, QObject *parent)
    : QObject(parent), m_translator(translator)
{
}

QtInputFilter::~QtInputFilter()
{
    setCapture(false, false);
}

void QtInputFilter::setCapture(bool keys, bool buttons)
{
    m_keys = keys;
    m_buttons = buttons;
    const bool want = (keys || buttons) && QCoreApplication::instance();
    if (want && !m_installed)
        QCoreApplication::instance()->installEventFilter(this);
    else if (!want && m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = want;
}

bool QtInputFilter::eventFilter(QObject *watched, QEvent *event)
{
    // Each input event reaches its window once from the platform; the copies passed on to
    // widgets and embedded scenes are not spontaneous or not sent to a window.
    if (event->spontaneous() && watched->isWindowType())
        translate(event);
    return false;
}

void QtInputFilter::translate(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (!m_keys)
            return;
        const auto *key = static_cast<const QKeyEvent *>(event);
        const quint32 native = key->nativeScanCode();
        if (native <= kNativeKeyOffset)
            return;
        // Autorepeat on X11 comes as release/press pairs; only the presses count, as repeats.
        if (key->isAutoRepeat() && event->type() == QEvent::KeyRelease)
            return;
        const int value = event->type() == QEvent::KeyRelease ? 0 : key->isAutoRepeat() ? 2 : 1;
        m_translator.key(native - kNativeKeyOffset, value);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (!m_buttons)
            return;
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        const uint code = evdevButton(mouse->button());
        if (code == 0)
            return;
        // The second press of a double click also arrives as a press; the double-click event
        // itself is not a transition.
        if (event->type() == QEvent::MouseButtonDblClick)
            return;
        const QPoint pos = mouse->globalPosition().toPoint();
        m_translator.button(code, event->type() == QEvent::MouseButtonPress ? 1 : 0, &pos);
        break;
    }
    case QEvent::Wheel:
        if (m_buttons)
            m_translator.wheel(false);
        break;
    default:
        break;
    }
}
