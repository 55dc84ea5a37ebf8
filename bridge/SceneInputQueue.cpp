#include "bridge/SceneInputQueue.h"

#include <QVariant>

SceneInputQueue::SceneInputQueue(std::function<QObject *()> root, QObject *parent)
    : QObject(parent), m_root(std::move(root))
{
}

void SceneInputQueue::pushKey(bool isDown, uchar usbCode)
{
    push({false, isDown, usbCode, 0, 0});
}

void SceneInputQueue::pushButton(bool isDown, uint button, uint x, uint y)
{
    push({true, isDown, button, x, y});
}

void SceneInputQueue::push(const Entry &entry)
{
    if (m_count == kCapacity) {
        ++m_dropped;
        return;
    }
    m_ring[(m_head + m_count) % kCapacity] = entry;
    ++m_count;
    if (!m_scheduled) {
        m_scheduled = true;
        QMetaObject::invokeMethod(this, &SceneInputQueue::deliver, Qt::QueuedConnection);
    }
}

void SceneInputQueue::deliver()
{
    m_scheduled = false;
    while (m_count > 0) {
        const Entry e = m_ring[m_head];
        m_head = (m_head + 1) % kCapacity;
        --m_count;
        QObject *root = m_root ? m_root() : nullptr;
        if (!root)
            continue;
        if (e.mouse)
            QMetaObject::invokeMethod(root, "detectMouse", Q_ARG(QVariant, QVariant(e.isDown)),
                                      Q_ARG(QVariant, QVariant(e.code)),
                                      Q_ARG(QVariant, QVariant(e.x)),
                                      Q_ARG(QVariant, QVariant(e.y)));
        else
            QMetaObject::invokeMethod(root, "detectKeyboard", Q_ARG(QVariant, QVariant(e.isDown)),
                                      Q_ARG(QVariant, QVariant(int(e.code))));
    }
}
