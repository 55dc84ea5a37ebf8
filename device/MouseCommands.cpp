// The mouse command set: one line per command over the shared Set/Get shapes.
#include "device/Hid_Thread.h"

namespace {

// The eight-stage colours carry eight 4-bit colour numbers with type 2, RGB triples otherwise.
constexpr int stageColorLength(uchar type)
{
    return type == 2 ? 4 : 24;
}

} // namespace

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    runSet(0x03, {type, rate, option1, option2}, nullptr, 0, true, true);
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3)
{
    runSet(0x07, {type, option1, option2, option3}, nullptr, 0, false, false);
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    runSet(0x0B, {dpiStage});
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    runSet(0x0D, {effect, option1, option2});
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const int n = stageColorLength(type);
    runSet(0x10, {type, uchar(n)}, src24, n);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    runSet(0x11, {dpiStage, 8}, src8, 8);
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar index)
{
    runSet(0x12, {index, 0x40, 8}, src64, 64);
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    runSet(0x13, {macroId, 0x80}, src128, 128);
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    if (runGet(0x83, {}, {}) == GetResult::Busy)
        return;
    type = m_answer[2];
    option1 = m_answer[4];
    option2 = m_answer[5];
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2,
                                                uchar &option3)
{
    if (runGet(0x87, {type}, {}) != GetResult::Ok)
        return false;
    option1 = m_answer[3];
    option2 = m_answer[4];
    option3 = m_answer[5];
    return true;
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage)
{
    if (runGet(0x8B, {}, {}) != GetResult::Busy)
        dpiStage = m_answer[2];
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    if (runGet(0x8D, {}, {}) == GetResult::Busy)
        return;
    effect = m_answer[2];
    option1 = m_answer[3];
    option2 = m_answer[4];
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    runGet(0x90, {type}, {}, src24, stageColorLength(type));
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
{
    // The answer block of an exchange with a data phase is used as received.
    if (runGet(0x91, {}, {}, src8, 8, false) != GetResult::Ok)
        return false;
    dpiMAXStage = m_answer[2];
    return true;
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64)
{
    runGet(0x92, {1}, {}, src64, 64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128)
{
    runGet(0x93, {macroId}, {}, src128, 128);
}
