// The keyboard command set: one line per command over the shared Set/Get shapes.
#include "device/Hid_Thread.h"

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet(0x03, {byte1, byte2, byte3, byte4}, nullptr, 0, false, true);
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                              uchar index)
{
    runSet(0x04, {sens1, sens2, sens3, sens4, index});
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    runSet(0x07, {effect, frequenty}, nullptr, 0, false, true);
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                    uchar color, uchar direction)
{
    runSet(0x08, {option, effect, speed, light, color, direction});
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode)
{
    runSet(0x09, {mode});
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512)
{
    runSet(0x0D, {0, 0, 8}, src512, 512);
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21)
{
    runSet(0x0E, {0, 0, 0x15}, src21, 21);
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    runSet(0x11, {0, macroId, 3}, src192, 192);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    runSet(0x12, {0, index, 8, option}, src512, 512);
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    runSet(0x13, {0xFF}, nullptr, 0, false, true);
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    runSet(0x14, {0, index, rValue, gValue, bValue}, nullptr, 0, false, true);
}

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (runGet(0x83, {}, {0, 0x83, byte1, byte2, byte3, byte4}) == GetResult::Busy)
        return;
    byte1 = m_answer[2];
    byte2 = m_answer[3];
    byte3 = m_answer[4];
    byte4 = m_answer[5];
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3,
                                              uchar &sens4)
{
    if (runGet(0x84, {}, {0, 0x84, sens1, sens2, sens3, sens4}) == GetResult::Busy)
        return;
    sens1 = m_answer[2];
    sens2 = m_answer[3];
    sens3 = m_answer[4];
    sens4 = m_answer[5];
}

void Hid_Thread::hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                                    uchar &direction)
{
    if (runGet(0x88, {}, {0, 0x88, 0, effect, speed, light, color, direction}) == GetResult::Busy)
        return;
    effect = m_answer[3];
    speed = m_answer[4];
    light = m_answer[5];
    color = m_answer[6];
    direction = m_answer[7];
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode)
{
    if (runGet(0x89, {}, {0, 0x89, mode}) != GetResult::Busy)
        mode = m_answer[2];
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512)
{
    runGet(0x8D, {}, {}, src512, 512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21)
{
    runGet(0x8E, {}, {}, src21, 21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192)
{
    runGet(0x91, {0, macroId}, {}, src192, 192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512)
{
    runGet(0x92, {0, index}, {}, src512, 512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    if (runGet(0x94, {0, index}, {0, 0x94, 0, index, rValue, gValue, bValue}) == GetResult::Busy)
        return;
    rValue = m_answer[4];
    gValue = m_answer[5];
    bValue = m_answer[6];
}
