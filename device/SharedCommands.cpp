// Commands that both devices understand.
#include "device/Hid_Thread.h"

void Hid_Thread::hid_01H_SetReportRate(uchar rate)
{
    runSet(0x01, {rate}, nullptr, 0, true, false);
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    runSet(0x02, {profile}, nullptr, 0, false, true);
}

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    const GetResult r = runGet(0x80, {}, {0, 0x80});
    if (r == GetResult::Busy)
        return;
    if (r == GetResult::Failed) {
        version = QStringLiteral("unknown");
        return;
    }
    version = QString::number(m_answer[2], 16) + QLatin1Char('.') +
              QStringLiteral("%1").arg(m_answer[3], 2, 16, QLatin1Char('0')).toUpper();
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate)
{
    if (runGet(0x81, {}, {0, 0x81, rate}) != GetResult::Busy)
        rate = m_answer[2];
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    if (runGet(0x82, {}, {0, 0x82, profile}) != GetResult::Busy)
        profile = m_answer[2];
}
