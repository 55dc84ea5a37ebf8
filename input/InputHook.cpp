#include "input/InputHook.h"

#include "input/HookBackend.h"
#include "input/LinuxHookBackend.h"
#include "input/NoticeChannel.h"

#include <array>

namespace {

// Process-wide hook state; used on the GUI thread only.
struct HookState
{
    InputHook *instance = nullptr;
    HookBackend *backend = nullptr;
    HookHandle keyboardHook = nullptr;
    HookHandle mouseHook = nullptr;
    KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    std::array<uchar, 256> keyState{};
    KeyCodeMaps::ScanCodeMap scanCodes;
    KeyCodeMaps::UsageMap usages;
    // The two maps laid out flat for the procedure, which runs for every key of the desktop:
    // index (scan code << 1) | extended bit, and virtual-key code.
    std::array<quint8, 512> scanCodeLookup{};
    std::array<quint8, 256> usageLookup{};
};

HookState g_state;

HookState &state()
{
    return g_state;
}

void buildMaps(HookState &s, bool nonUsHash)
{
    s.scanCodes = KeyCodeMaps::buildScanCodeMap();
    s.usages = KeyCodeMaps::buildUsageMap(nonUsHash);
    s.scanCodeLookup.fill(0);
    for (const auto &[key, vk] : s.scanCodes)
        s.scanCodeLookup[((key >> 8) << 1) | (key & 1)] = vk;
    s.usageLookup.fill(0);
    for (const auto &[vk, usb] : s.usages)
        s.usageLookup[vk] = usb;
}

constexpr quint8 kVkPause = 0x13;
constexpr quint8 kVkPrintScreen = 0x2C;

struct ButtonMessage
{
    uchar button;
    uchar isDown;
};

// Indexed by message - WM_LBUTTONDOWN; double clicks have no button.
constexpr ButtonMessage kButtons[] = {
    {0xF0, 1}, {0xF0, 0}, {0, 0}, {0xF1, 1}, {0xF1, 0}, {0, 0}, {0xF2, 1}, {0xF2, 0},
};

} // namespace

InputHook::InputHook(bool nonUsHash, HookBackend *backend) : m_nonUsHash(nonUsHash)
{
    HookState &s = state();
    if (s.instance && s.instance != this)
        removeHooks();
    if (!backend) {
        m_ownBackend = std::make_unique<LinuxHookBackend>();
        backend = m_ownBackend.get();
    }
    s.instance = this;
    s.backend = backend;
    buildMaps(s, m_nonUsHash);
    installHooks();
}

InputHook::~InputHook()
{
    HookState &s = state();
    if (s.instance != this)
        return;
    // The backend may go with this object: nothing may stay hooked into it.
    removeHooks();
    s.instance = nullptr;
    s.backend = nullptr;
}

InputHook *InputHook::instance()
{
    return state().instance;
}

bool InputHook::installHooks()
{
    HookState &s = state();
    if (s.keyboardHook || s.mouseHook)
        removeHooks();
    if (!s.backend)
        return false;
    // Keys released while unhooked were never seen going up.
    s.keyState.fill(0);
    s.keyboardHook = s.backend->setKeyboardHook(&InputHook::keyboardProc);
    s.mouseHook = s.backend->setMouseHook(&InputHook::mouseProc);
    if (!s.keyboardHook || !s.mouseHook) {
        // Neither or both: a half-installed pair would keep delivering after the failure.
        removeHooks();
        return false;
    }
    return true;
}

void InputHook::removeHooks()
{
    HookState &s = state();
    if (s.backend) {
        s.backend->unhook(s.keyboardHook);
        s.backend->unhook(s.mouseHook);
    }
    s.keyboardHook = nullptr;
    s.mouseHook = nullptr;
}

void InputHook::setKeyboardCallback(KeyboardCallback callback, void *context)
{
    state().keyboardCallback = callback;
    state().keyboardContext = context;
}

void InputHook::setMouseCallback(MouseCallback callback, void *context)
{
    state().mouseCallback = callback;
    state().mouseContext = context;
}

CopyDataCallback InputHook::setCopyDataFilter(CopyDataCallback callback,
                                              QCoreApplication *application, void *context,
                                              const QString &windowTitle)
{
    return NoticeChannel::setFilter(callback, application, context, windowTitle);
}

long InputHook::sendCopyData(const QString &windowTitle, const CopyDataStruct *data,
                             const void *excludedReceiver)
{
    return NoticeChannel::send(windowTitle, data, excludedReceiver);
}

long InputHook::keyboardProc(int nCode, uint wParam, const KeyboardEvent *lParam)
{
    HookState &s = state();
    if (!lParam)
        return 0;
    const uchar isDown = nCode == HookMessage::kAction &&
                         (wParam == HookMessage::kKeyDown || wParam == HookMessage::kSysKeyDown);
    const quint32 extended = lParam->flags & KeyFlag::kExtended;
    const quint32 scan = lParam->scanCode > 255 ? 0 : lParam->scanCode;

    quint8 vk = s.scanCodeLookup[(scan << 1) | extended];
    if (scan == ModifiedScan::kBreak && extended)
        vk = kVkPause;
    else if (scan == ModifiedScan::kSysRq && (lParam->flags & KeyFlag::kAltDown))
        vk = kVkPrintScreen;
    if (vk == 0)
        return 0;

    const uchar usb = s.usageLookup[vk];
    if (usb == 0)
        return 0;
    if (s.keyState[usb] != isDown) {
        s.keyState[usb] = isDown;
        if (s.keyboardCallback)
            s.keyboardCallback(usb, isDown, s.keyboardContext);
    }
    return 0;
}

long InputHook::mouseProc(int nCode, uint wParam, const MouseEvent *lParam)
{
    Q_UNUSED(nCode);
    // One range check dismisses moves, the wheel and the X buttons.
    const uint index = wParam - HookMessage::kLButtonDown;
    if (index >= std::size(kButtons) || !lParam)
        return 0;
    const ButtonMessage &m = kButtons[index];
    HookState &s = state();
    if (m.button != 0 && s.mouseCallback)
        s.mouseCallback(m.button, m.isDown, lParam->x, lParam->y, s.mouseContext);
    return 0;
}

HookHandle InputHook::keyboardHookHandle()
{
    return state().keyboardHook;
}

HookHandle InputHook::mouseHookHandle()
{
    return state().mouseHook;
}

const KeyCodeMaps::ScanCodeMap &InputHook::scanCodeMap()
{
    return state().scanCodes;
}

const KeyCodeMaps::UsageMap &InputHook::usageMap()
{
    return state().usages;
}

uchar InputHook::keyState(uchar usbCode)
{
    return state().keyState[usbCode];
}
