#pragma once

#include <QObject>

#include <array>
#include <functional>

// Key and button events on their way into the scene. The hook procedures push without
// allocating; one queued call per burst hands them to the scene's root functions in order,
// from the event loop.
class SceneInputQueue : public QObject
{
    Q_OBJECT
public:
    // root: the scene's root object at delivery time, or null when there is none.
    explicit SceneInputQueue(std::function<QObject *()> root, QObject *parent = nullptr);

    void pushKey(bool isDown, uchar usbCode);
    void pushButton(bool isDown, uint button, uint x, uint y);

    // Events not delivered because a burst overflowed the queue.
    quint64 dropped() const { return m_dropped; }

private:
    struct Entry
    {
        bool mouse;
        bool isDown;
        uint code;
        uint x;
        uint y;
    };
    static constexpr size_t kCapacity = 1024;

    void push(const Entry &entry);
    void deliver();

    std::function<QObject *()> m_root;
    std::array<Entry, kCapacity> m_ring{};
    size_t m_head = 0;
    size_t m_count = 0;
    bool m_scheduled = false;
    quint64 m_dropped = 0;
};
