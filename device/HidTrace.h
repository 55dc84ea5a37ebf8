#pragma once

#include <QByteArray>
#include <QElapsedTimer>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

// Appends one line per backend call to a file, so a session with a real device can be recorded:
// "<seconds> <op> <device index> <cmd|event> [<hex bytes> | <path>][ ERR]".
class HidTrace
{
public:
    enum class Role { Command, Event };

    static HidTrace &instance();

    // Starts appending to path; an empty path switches tracing off. False when it cannot open.
    bool open(const QByteArray &path);
    bool enabled() const { return m_fd.load(std::memory_order_relaxed) >= 0; }

    void path(const char *op, unsigned did, Role role, const QByteArray &path);
    void bytes(const char *op, unsigned did, Role role, const uint8_t *data, size_t len, bool ok);

private:
    HidTrace();
    ~HidTrace();
    void emitLine(QByteArray line);
    QByteArray head(const char *op, unsigned did, Role role) const;

    std::mutex m_mutex;
    // Written under m_mutex; read without it by enabled() on every transfer.
    std::atomic<int> m_fd{-1};
    QElapsedTimer m_clock;
};
