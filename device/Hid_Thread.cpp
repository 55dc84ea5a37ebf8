#include "device/Hid_Thread.h"

#include "device/BlockChecksum.h"
#include "device/HidBackend.h"
#include "device/HidPort.h"
#include "device/Scrambler.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <vector>

namespace {

HidBackend *g_defaultBackend = nullptr;

constexpr int kPollMs = 8;
constexpr int kPolls = 255;
constexpr int kReportPauseMs = 8;
constexpr int kAckSliceMs = 64;
constexpr int kDataReadTimeoutMs = 1000;
constexpr int kListenReadMs = 500;
const QString kDemoCode = QStringLiteral("r-vostel");

} // namespace

Hid_Thread::Hid_Thread(CodeReader readCode, Warn warn)
    : m_readCode(std::move(readCode)), m_warn(std::move(warn)), m_backend(g_defaultBackend)
{
    // The listener keeps one pool thread for the whole run; on a one- or two-core machine the
    // pool would otherwise have no thread left for Set transfers.
    QThreadPool *pool = QThreadPool::globalInstance();
    if (pool->maxThreadCount() < 4)
        pool->setMaxThreadCount(4);
}

Hid_Thread::~Hid_Thread()
{
    stopListening();
    // A Set transfer still on the pool uses this object's buffers.
    m_lastSet.waitForFinished();
}

void Hid_Thread::setDefaultBackend(HidBackend *backend)
{
    g_defaultBackend = backend;
}

void Hid_Thread::replaceDeviceTable(const DeviceTable &table)
{
    const bool taken = waitIdle();
    {
        QMutexLocker lock(&m_tableMutex);
        m_devices = table;
        m_deniedPath.clear();
    }
    if (taken)
        release();
}

DeviceTable Hid_Thread::deviceTable() const
{
    QMutexLocker lock(&m_tableMutex);
    return m_devices;
}

bool Hid_Thread::waitIdle()
{
    for (int counter = kPolls;;) {
        bool idle = true;
        if (m_ready.compare_exchange_strong(idle, false, std::memory_order_acquire))
            return true;
        QThread::msleep(kPollMs);
        QCoreApplication::processEvents();
        if (--counter == 0)
            return false;
    }
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return blockChecksum(cmd);
}

void Hid_Thread::secrecyCode(uint8_t s[8]) const
{
    uint64_t v = m_secrecy.load();
    for (int i = 7; i >= 0; --i, v >>= 8)
        s[i] = uint8_t(v);
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambler::encrypt(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambler::decrypt(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::transferAllowed() const
{
    return !m_demo.load() && m_backend;
}

std::unique_ptr<HidPort> Hid_Thread::openInterface(uint did, bool event)
{
    const auto pathOf = [event](DeviceEntry &e) -> QString & {
        return event ? e.eventPath : e.cmdPath;
    };
    QByteArray path;
    {
        QMutexLocker lock(&m_tableMutex);
        if (did >= uint(m_devices.size()) || pathOf(m_devices[did]).isEmpty())
            return nullptr;
        path = pathOf(m_devices[did]).toLocal8Bit();
    }
    auto port =
        HidPort::open(*m_backend, did, event ? HidPort::Role::Event : HidPort::Role::Command, path);
    if (!port) {
        const bool denied = m_backend->whyOpenFailed(path) == HidOpenFailure::Denied;
        // Gone until the next device check rebuilds the table.
        bool dropped = false;
        {
            QMutexLocker lock(&m_tableMutex);
            if (did < uint(m_devices.size()) && pathOf(m_devices[did]).toLocal8Bit() == path) {
                pathOf(m_devices[did]).clear();
                dropped = true;
                if (denied) {
                    m_deniedPath = QString::fromLocal8Bit(path);
                    m_deniedDid = did;
                }
            }
        }
        if (dropped)
            emit pathLost();
    }
    return port;
}

std::unique_ptr<HidPort> Hid_Thread::openCmdInterface(uint did)
{
    return openInterface(did, false);
}

std::unique_ptr<HidPort> Hid_Thread::openEventInterface(uint did)
{
    return openInterface(did, true);
}

namespace {

// Gives the ready flag back when a transfer ends, whichever way; declared before the port so
// the interface is closed first.
class ReleaseAtEnd
{
public:
    explicit ReleaseAtEnd(std::atomic<bool> &ready) : m_ready(ready) {}
    ~ReleaseAtEnd() { m_ready.store(true, std::memory_order_release); }

private:
    std::atomic<bool> &m_ready;
};

} // namespace

std::unique_ptr<HidPort> Hid_Thread::openForTransfer(uint did)
{
    if (!transferAllowed())
        return nullptr;
    auto port = openCmdInterface(did);
    if (port && m_encode.load()) {
        uint8_t s[8];
        secrecyCode(s);
        Scrambler::encrypt(&m_request[1], s);
    }
    return port;
}

int Hid_Thread::reportLengthOf(uint did) const
{
    QMutexLocker lock(&m_tableMutex);
    return did < uint(m_devices.size()) ? m_devices[did].reportLength : 0;
}

bool Hid_Thread::sendCmd(int dataLength, bool ack)
{
    const uint did = m_did.load();
    const ReleaseAtEnd end(m_ready);
    const auto port = openForTransfer(did);
    if (!port)
        return false;
    // Armed before sending: a device may acknowledge before the pause begins.
    m_ack.store(false);
    if (port->sendFeatureReport(m_request.data(), m_request.size()) < 0)
        return false;
    if (ack)
        waitAck();
    if (dataLength <= 0)
        return true;
    const int reportLength = reportLengthOf(did);
    const int chunk = std::min(dataLength, reportLength);
    std::vector<uint8_t> report(size_t(reportLength) + 1, 0);
    for (int offset = 0; chunk > 0 && offset < dataLength; offset += chunk) {
        const int n = std::clamp(int(m_data.size()) - offset, 0, chunk);
        std::copy_n(m_data.begin() + offset, n, report.begin() + 1);
        std::fill(report.begin() + 1 + n, report.end(), 0);
        if (offset + chunk >= dataLength)
            m_ack.store(false); // the data phase is acknowledged after its last report
        if (port->write(report.data(), report.size()) < 0)
            return false;
        QThread::msleep(kReportPauseMs);
    }
    if (ack)
        waitAck();
    return true;
}

bool Hid_Thread::recvCmd(int dataLength)
{
    const uint did = m_did.load();
    const ReleaseAtEnd end(m_ready);
    const auto port = openForTransfer(did);
    if (!port)
        return false;
    if (port->sendFeatureReport(m_request.data(), m_request.size()) < 0 ||
        port->getFeatureReport(m_answer.data(), m_answer.size()) < 0)
        return false;
    if (dataLength <= 0) {
        // Only single answers come back scrambled.
        if (m_encode.load()) {
            uint8_t s[8];
            secrecyCode(s);
            Scrambler::decrypt(&m_answer[1], s);
        }
        return true;
    }
    const int reportLength = reportLengthOf(did);
    const int chunk = std::min(dataLength, reportLength);
    std::vector<uint8_t> report(size_t(reportLength) + 1, 0);
    for (int offset = 0; chunk > 0 && offset < dataLength; offset += chunk) {
        std::fill(report.begin(), report.end(), 0);
        if (port->readTimeout(report.data(), report.size(), kDataReadTimeoutMs) <= 0)
            return false;
        const int n = std::clamp(int(m_data.size()) - offset, 0, chunk);
        std::copy_n(report.begin(), n, m_data.begin() + offset);
    }
    return true;
}

void Hid_Thread::waitAck()
{
    // The flag was cleared when the acknowledged report went out.
    QThread::msleep(kAckSliceMs);
    if (m_ack.load())
        return;
    QThread::msleep(kAckSliceMs);
}

void Hid_Thread::stopListening()
{
    m_listenRun.store(false);
    m_listener.waitForFinished();
}

void Hid_Thread::startListening(uint did)
{
    stopListening();
    m_listenRun.store(true);
    m_listener =
        QtConcurrent::run(QThreadPool::globalInstance(), [this, did] { listenEvents(did); });
}

void Hid_Thread::listenIfStopped()
{
    if (!m_listenRun.load())
        startListening(m_did.load());
}

QString Hid_Thread::deniedPath() const
{
    QMutexLocker lock(&m_tableMutex);
    return m_deniedDid == m_did.load() ? m_deniedPath : QString();
}

void Hid_Thread::listenEvents(uint did)
{
    {
        QMutexLocker lock(&m_tableMutex);
        if (did >= uint(m_devices.size()) || m_devices[did].eventPath.isEmpty()) {
            m_listenRun.store(false);
            return;
        }
    }
    while (m_listenRun.load()) {
        auto port = m_backend ? openEventInterface(did) : nullptr;
        if (!port) {
            qDebug("Device removed");
            QMutexLocker lock(&m_tableMutex);
            if (did < uint(m_devices.size()))
                m_devices[did].eventPath.clear();
            m_listenRun.store(false);
            return;
        }
        uint8_t report[4] = {};
        const int n = port->readTimeout(report, sizeof report, kListenReadMs);
        if (n == 4 && report[0] == 0x04 && report[1] == 0x04 && report[2] == 0 && report[3] == 0)
            m_ack.store(true);
    }
}

void Hid_Thread::swichCurDevice(uint did)
{
    if (did != m_did.load()) {
        m_did.store(did);
        startListening(did);
    }
    chkDeviceIsEnCode();
}

void Hid_Thread::fillRequest(uint8_t code, const Params &params)
{
    m_request[0] = 0x00;
    m_request[1] = code;
    std::copy(params.begin(), params.end(), m_request.begin() + 2);
    m_request[8] = hidCS(&m_request[1]);
}

void Hid_Thread::runSet(uint8_t code, const Params &params, const uint8_t *data, int dataLength,
                        bool ack, bool sleepAfter)
{
    if (!waitIdle()) {
        qDebug("cmd Failed %02X", code);
        return;
    }
    fillRequest(code, params);
    if (data && dataLength > 0)
        std::copy_n(data, std::min<size_t>(size_t(dataLength), m_data.size()), m_data.begin());
    // Callers never wait for a Set transfer; the future is kept only so destruction can.
    m_lastSet = QtConcurrent::run(QThreadPool::globalInstance(),
                                  [this, dataLength, ack] { return sendCmd(dataLength, ack); });
    if (sleepAfter)
        QThread::msleep(kReportPauseMs);
}

Hid_Thread::GetResult Hid_Thread::runGet(uint8_t code, const Params &params, const Answer &preset,
                                         uint8_t *data, int dataLength, bool copyBackAlways,
                                         const char *busyMessage)
{
    m_lastGetOk = false;
    if (!waitIdle()) {
        qDebug("%s", busyMessage);
        return GetResult::Busy;
    }
    fillRequest(code, params);
    m_answer = preset;
    const size_t n = std::min<size_t>(size_t(std::max(dataLength, 0)), m_data.size());
    if (data)
        std::copy_n(data, n, m_data.begin());
    const bool ok = recvCmd(dataLength);
    m_lastGetOk = ok;
    if (data && (ok || copyBackAlways))
        std::copy_n(m_data.begin(), n, data);
    return ok ? GetResult::Ok : GetResult::Failed;
}

Hid_Thread::GetResult Hid_Thread::exchangeSecrecyCode(uint8_t challenge[4])
{
    const GetResult r = runGet(0x00, {challenge[0], challenge[1], challenge[2], challenge[3], 0, 0},
                               Answer{}, nullptr, 0, true, "cmd Failed 00");
    if (r != GetResult::Busy)
        std::copy_n(m_answer.begin() + 2, 4, challenge);
    return r;
}

void Hid_Thread::hid_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    uint8_t b[4] = {byte1, byte2, byte3, byte4};
    exchangeSecrecyCode(b);
    byte1 = b[0];
    byte2 = b[1];
    byte3 = b[2];
    byte4 = b[3];
}

void Hid_Thread::chkDeviceIsEnCode()
{
    const uint did = m_did.load();
    const QString code = m_readCode ? m_readCode(did) : QString();
    if (code.size() == 6) {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 8) | (i >= 1 && i <= 6 ? uint8_t(code.at(i - 1).toLatin1()) : 0);
        m_secrecy.store(v);
    }

    const quint32 r = QRandomGenerator::global()->generate();
    const uint8_t challenge[4] = {uint8_t(r), uint8_t(r >> 8), uint8_t(r >> 16), uint8_t(r >> 24)};
    uint8_t echo[4] = {challenge[0], challenge[1], challenge[2], challenge[3]};
    // A busy transport or a failed exchange never counts as the device's answer.
    const bool exchanged = exchangeSecrecyCode(echo) == GetResult::Ok;
    if (exchanged && std::equal(echo, echo + 4, challenge)) {
        qDebug("Device Connect");
        m_verified.store(true);
        return;
    }
    qDebug("Device Error");
    m_verified.store(false);
    if (code == kDemoCode) {
        m_demo.store(true);
        m_verified.store(true);
        m_encode.store(false);
        return;
    }
    QString name;
    {
        QMutexLocker lock(&m_tableMutex);
        if (did < uint(m_devices.size()))
            name = m_devices[did].productName;
    }
    QString text = QStringLiteral("Can not detect %1 !").arg(name);
    const QString denied = deniedPath();
    if (!denied.isEmpty())
        text += QStringLiteral("\n%1 is there but this user may not open it.\n"
                               "To allow it, install the package or copy the udev rule "
                               "70-v7config.rules (packaging/ in the source) to "
                               "/etc/udev/rules.d/, then run \"sudo udevadm trigger\" or "
                               "replug the device.")
                    .arg(denied);
    if (m_warn)
        m_warn(text);
    else
        qWarning("%s", qPrintable(text));
    emit closeRequested();
}
