#pragma once

#include "input/HookTypes.h"

#include <QString>

class QCoreApplication;
class NoticeServer;

// The notice channel: text messages addressed to a window by its title, handled by the
// receiving program's copy-data callback while the sender waits.
namespace NoticeChannel {

// Data code of a notice that is shown in a warning box.
constexpr quintptr kNoticeCode = 9487;
// How long a sender waits for another process to handle its notice.
constexpr int kSendTimeoutMs = 30000;

// Receives notices for windowTitle in this process; returns the callback it replaces.
CopyDataCallback setFilter(CopyDataCallback callback, QCoreApplication *application, void *context,
                           const QString &windowTitle);
// This process's receiver, or null.
NoticeServer *receiver();
// Sends text as a notice (data code 9487, UTF-8) and waits until it is handled.
long sendNotice(const QString &windowTitle, const QString &text);
// See InputHook::sendCopyData.
long send(const QString &windowTitle, const CopyDataStruct *data, const void *excludedReceiver,
          int timeoutMs = kSendTimeoutMs);

} // namespace NoticeChannel
