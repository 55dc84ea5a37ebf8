#include "support/SimRig.h"

#include "app/SecrecyCode.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

SimRig::SimRig()
    : m_sim({QStringLiteral("mouse"), QStringLiteral("keyboard")}), m_recorder(m_sim),
      m_hid(storedSecrecyCode,
            [](const QString &text) { Dialogs::instance().warning(QString(), text); })
{
    m_hid.setBackend(&m_recorder);
    m_hid.replaceDeviceTable(deviceTable());
    setScrambling(false);
}

SimRig::~SimRig()
{
    if (m_taken)
        releaseTransport();
    m_hid.stopListening();
    waitIdle();
}

void SimRig::setScrambling(bool on)
{
    m_hid.setEncode(on);
    keyboard().setScrambling(on);
    mouse().setScrambling(on);
}

bool SimRig::waitIdle(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_hid.isIdle()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}

bool SimRig::takeTransport()
{
    if (!m_taken)
        m_taken = m_hid.waitIdle();
    return m_taken;
}

void SimRig::releaseTransport()
{
    if (!m_taken)
        return;
    // The transport gives the flag back only at the end of a transfer. A transfer without a
    // backend fails before touching any device, so run one; the listener is paused meanwhile
    // because it reads the backend pointer too.
    const bool listening = m_hid.isListening();
    m_hid.stopListening();
    m_hid.setBackend(nullptr);
    m_hid.recvCmd(0);
    m_hid.setBackend(&m_recorder);
    if (listening)
        m_hid.startListening(m_hid.currentDevice());
    m_taken = false;
}
