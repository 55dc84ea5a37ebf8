#include "sim/EmulatedDevice.h"

#include "device/BlockChecksum.h"
#include "device/Scrambler.h"
#include "sim/CommandRules.h"

#include <algorithm>
#include <chrono>

namespace {

const QByteArray kAck("\x04\x04\x00\x00", 4);

// Stage bytes of the factory DPI table of sensor type 3: 1000, 2000, 4000, 8000, then disabled.
const QByteArray kFactoryDpi("\x09\x13\x27\x67\x80\x80\x80\x80", 8);

} // namespace

EmulatedDevice::EmulatedDevice(int kind) : m_kind(kind)
{
    setSecrecyCode("573914");
    resetFactory();
}

uint16_t EmulatedDevice::usagePage(bool event) const
{
    if (m_kind == DeviceKind::Keyboard)
        return event ? 0xff02 : 0xff01;
    return event ? 0xff01 : 0xff00;
}

uint16_t EmulatedDevice::usage(bool event) const
{
    if (m_kind == DeviceKind::Keyboard)
        return 0x0001;
    return event ? 0xff01 : 0xff00;
}

void EmulatedDevice::setFault(Fault fault, bool on)
{
    {
        // Changed under the lock, or a reader between its check and its wait misses the wake.
        std::lock_guard lock(m_mutex);
        m_faults[int(fault)].store(on);
        if (fault == Fault::Unplugged && on) {
            m_events.clear();
            m_input.clear();
        }
    }
    m_wake.notify_all();
}

bool EmulatedDevice::fault(Fault fault) const
{
    return m_faults[int(fault)].load();
}

void EmulatedDevice::setSecrecyCode(const QByteArray &code)
{
    std::lock_guard lock(m_mutex);
    m_secrecy.fill(0);
    for (int i = 0; i < 6 && i < code.size(); ++i)
        m_secrecy[size_t(i) + 1] = uint8_t(code.at(i));
}

void EmulatedDevice::setScrambling(bool on)
{
    std::lock_guard lock(m_mutex);
    m_scrambling = on;
}

void EmulatedDevice::setFirmwareVersion(uint8_t major, uint8_t minor)
{
    std::lock_guard lock(m_mutex);
    m_version = {major, minor};
}

void EmulatedDevice::resetFactory()
{
    std::lock_guard lock(m_mutex);
    m_settings.clear();
    if (m_kind == DeviceKind::Mouse) {
        m_settings[{0x03, 0}].params = {3, 0x02, 0, 0, 0, 0};
        m_settings[{0x01, 0}].params = {0x02};
        m_settings[{0x0B, 0}].params = {1};
        Setting &dpi = m_settings[{0x11, 0}];
        dpi.params = {8, 8};
        dpi.data = kFactoryDpi;
    }
}

int EmulatedDevice::featureOut(const uint8_t *report, size_t len)
{
    if (fault(Fault::Unplugged) || len < 9)
        return -1;
    Block block;
    std::copy_n(report + 1, 8, block.begin());
    std::lock_guard lock(m_mutex);
    if (m_scrambling)
        Scrambler::decrypt(block.data(), m_secrecy.data());
    m_answer.fill(0);
    m_input.clear();
    m_pendingLength = 0;
    m_pendingData.clear();
    if (blockChecksum(block.data()) != block[7])
        return int(len); // garbled: the firmware ignores it
    m_received.append(block);
    if (block[0] == 0x00 || block[0] >= 0x80)
        answer(block);
    else
        execute(block);
    return int(len);
}

int EmulatedDevice::featureIn(uint8_t *report, size_t len)
{
    if (fault(Fault::Unplugged) || fault(Fault::Stalled) || len < 9)
        return -1;
    std::lock_guard lock(m_mutex);
    report[0] = 0;
    std::copy(m_answer.begin(), m_answer.end(), report + 1);
    return 9;
}

void EmulatedDevice::storeParams(uint8_t code, int index, const Block &block)
{
    Setting &s = m_settings[{code, index}];
    std::copy_n(block.begin() + 1, 6, s.params.begin());
    // The mouse keeps one report rate, reached by 01H and by 03H's byte 2; the keyboard's 03H
    // carries options of its own.
    if (m_kind != 1)
        return;
    if (code == 0x01)
        m_settings[{0x03, 0}].params[1] = block[1];
    else if (code == 0x03)
        m_settings[{0x01, 0}].params[0] = block[2];
}

void EmulatedDevice::execute(const Block &block)
{
    const uint8_t code = block[0];
    const CommandRule *rule = CommandRules::find(m_kind, code);
    if (!rule)
        return;
    const int index = rule->indexByte ? block[size_t(rule->indexByte)] : 0;
    if (m_kind == DeviceKind::Keyboard && code == 0x13) {
        m_settings.clear();
        acknowledge();
        return;
    }
    storeParams(code, index, block);
    acknowledge();
    const int length = rule->setDataLength < 0 ? block[2] : rule->setDataLength;
    if (length > 0) {
        m_pendingCode = code;
        m_pendingIndex = index;
        m_pendingLength = length;
    }
}

QByteArray EmulatedDevice::readableData(uint8_t setCode, int index, int length) const
{
    QByteArray data;
    auto it = m_settings.find({setCode, index});
    if (it != m_settings.end())
        data = it->second.data;
    data.resize(length, '\0');
    return data.left(length);
}

void EmulatedDevice::answer(const Block &block)
{
    const uint8_t code = block[0];
    Block out{};
    out[0] = code;
    int dataLength = 0;
    if (code == 0x00) {
        const uint8_t flip = fault(Fault::WrongEcho) ? 0xFF : 0x00;
        for (int i = 1; i <= 4; ++i)
            out[size_t(i)] = block[size_t(i)] ^ flip;
    } else if (code == 0x80) {
        out[1] = m_version[0];
        out[2] = m_version[1];
    } else {
        const uint8_t setCode = code - 0x80;
        const CommandRule *rule = CommandRules::find(m_kind, setCode);
        if (!rule)
            return;
        const int index = rule->indexByte ? block[size_t(rule->indexByte)] : 0;
        auto it = m_settings.find({setCode, index});
        if (it != m_settings.end())
            std::copy(it->second.params.begin(), it->second.params.end(), out.begin() + 1);
        if (rule->indexByte)
            out[size_t(rule->indexByte)] = uint8_t(index);
        dataLength = rule->getDataLength == -2 ? (index == 2 ? 4 : 24) : rule->getDataLength;
        if (dataLength > 0) {
            const QByteArray data = readableData(setCode, index, dataLength);
            const int chunk = std::min(dataLength, reportLength());
            for (int offset = 0; offset < dataLength; offset += chunk) {
                QByteArray report = data.mid(offset, chunk);
                report.resize(reportLength(), '\0');
                m_input.push_back(report);
            }
        }
    }
    out[7] = blockChecksum(out.data());
    // Data-phase answers travel as they are; single answers are scrambled.
    if (m_scrambling && dataLength == 0)
        Scrambler::encrypt(out.data(), m_secrecy.data());
    m_answer = out;
}

int EmulatedDevice::dataOut(const uint8_t *report, size_t len)
{
    if (fault(Fault::Unplugged) || len < 1)
        return -1;
    std::lock_guard lock(m_mutex);
    if (m_pendingLength > 0) {
        const int chunk = std::min(m_pendingLength, reportLength());
        const int n = std::min<int>(chunk, int(len) - 1);
        m_pendingData.append(reinterpret_cast<const char *>(report + 1), n);
        if (m_pendingData.size() >= m_pendingLength) {
            m_settings[{m_pendingCode, m_pendingIndex}].data = m_pendingData.left(m_pendingLength);
            m_pendingLength = 0;
            m_pendingData.clear();
            acknowledge();
        }
    }
    return int(len);
}

int EmulatedDevice::dataIn(uint8_t *report, size_t len, int timeoutMs)
{
    return takeReport(m_input, true, report, len, timeoutMs);
}

int EmulatedDevice::takeReport(std::deque<QByteArray> &queue, bool stalls, uint8_t *report,
                               size_t len, int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [&] {
        return fault(Fault::Unplugged) || (!(stalls && fault(Fault::Stalled)) && !queue.empty());
    };
    if (!m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return 0;
    if (fault(Fault::Unplugged))
        return -1;
    const QByteArray next = queue.front();
    queue.pop_front();
    const size_t n = std::min(len, size_t(next.size()));
    std::copy_n(next.constData(), n, report);
    return int(n);
}

void EmulatedDevice::acknowledge()
{
    // Like hidraw, reports reach only readers that have the interface open.
    if (fault(Fault::NoAck) || m_eventReaders == 0)
        return;
    m_events.push_back(kAck);
    m_wake.notify_all();
}

void EmulatedDevice::eventOpened()
{
    std::lock_guard lock(m_mutex);
    ++m_eventReaders;
}

void EmulatedDevice::eventClosed()
{
    std::lock_guard lock(m_mutex);
    if (--m_eventReaders == 0)
        m_events.clear();
}

int EmulatedDevice::eventIn(uint8_t *report, size_t len, int timeoutMs)
{
    // A stall holds back the data interface only; acknowledgements still arrive.
    return takeReport(m_events, false, report, len, timeoutMs);
}

QByteArray EmulatedDevice::parameters(uint8_t setCode, int index) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_settings.find({setCode, index});
    if (it == m_settings.end())
        return QByteArray(6, '\0');
    return QByteArray(reinterpret_cast<const char *>(it->second.params.data()), 6);
}

QByteArray EmulatedDevice::storedData(uint8_t setCode, int index) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_settings.find({setCode, index});
    return it == m_settings.end() ? QByteArray() : it->second.data;
}

QList<EmulatedDevice::Block> EmulatedDevice::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void EmulatedDevice::clearReceived()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}
