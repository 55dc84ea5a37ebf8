#include "input/HookContext.h"

#include "input/NoticeChannel.h"
#include "platform/Dialogs.h"

void HookCallbacks::keyboard(uchar usbCode, uchar isDown, void *context)
{
    const auto *ctx = static_cast<const HookContext *>(context);
    if (ctx && ctx->detectKeyboard)
        ctx->detectKeyboard(isDown != 0, usbCode);
}

void HookCallbacks::mouse(uchar buttonCode, uchar isDown, int x, int y, void *context)
{
    const auto *ctx = static_cast<const HookContext *>(context);
    if (ctx && ctx->detectMouse)
        ctx->detectMouse(isDown != 0, buttonCode, uint(x), uint(y));
}

void HookCallbacks::copyData(const CopyDataStruct *data, void *context)
{
    const auto *ctx = static_cast<const HookContext *>(context);
    if (!ctx || !data || data->dwData != NoticeChannel::kNoticeCode)
        return;
    if (data->cbData > 0 && !data->lpData)
        return;
    const QByteArrayView bytes(static_cast<const char *>(data->lpData), data->cbData);
    if (bytes.contains('\0'))
        return;
    const QString title = ctx->windowTitle ? ctx->windowTitle() : QString();
    Dialogs::instance().warning(title, QString::fromUtf8(bytes));
}
