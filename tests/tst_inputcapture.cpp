#include "app/InputCapture.h"
#include "bridge/myQQuickView.h"
#include "input/InputHook.h"
#include "input/NoticeChannel.h"
#include "platform/Dialogs.h"

#include <QFile>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// The start-up's wiring: hook procedure -> window's scene view -> queued scene functions, and
// the demo notice through the notice channel.

namespace {

const char kScene[] = R"(import QtQuick
Item {
    property string log: ""
    function detectKeyboard(isDown, usbCode) { log += (isDown ? "+" : "-") + usbCode + " " }
    function detectMouse(isDown, tavoCode, x, y) {
        log += (isDown ? "+" : "-") + tavoCode + "@" + x + "," + y + " "
    }
}
)";

} // namespace

class TestInputCapture : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void eventsReachTheSceneQueuedAndInOrder();
    void demoNoticeShowsUnderTheWindowTitle();
    void hooksGoWithTheCapture();

private:
    QTemporaryDir m_dir;
};

void TestInputCapture::initTestCase()
{
    Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false));
    QFile scene(m_dir.filePath(QStringLiteral("scene.qml")));
    QVERIFY(scene.open(QIODevice::WriteOnly));
    scene.write(kScene);
}

void TestInputCapture::eventsReachTheSceneQueuedAndInOrder()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("capture %1").arg(QCoreApplication::applicationPid()));
    InputCapture capture(window);
    // Events before the view exists are dropped quietly.
    const KeyboardEvent a{0x1E, 0};
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);

    auto *view = new myQQuickView(&window);
    view->setSource(QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("scene.qml"))));
    QVERIFY2(view->rootObject(), qPrintable(view->errors().value(0).toString()));

    const KeyboardEvent shift{0x2A, 0};
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &shift);
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
    const MouseEvent at{300, 200};
    InputHook::mouseProc(HookMessage::kAction, HookMessage::kRButtonDown, &at);
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &shift);
    // Queued: nothing has run in the scene yet.
    QCOMPARE(view->rootObject()->property("log").toString(), QString());
    QTRY_COMPARE(view->rootObject()->property("log").toString(),
                 QStringLiteral("+225 +4 +241@300,200 -4 -225 "));
}

void TestInputCapture::demoNoticeShowsUnderTheWindowTitle()
{
    auto &dialogs = static_cast<ScriptedDialogs &>(Dialogs::instance());
    dialogs.clear();
    QWidget window;
    const QString title = QStringLiteral("V7 capture %1").arg(QCoreApplication::applicationPid());
    window.setWindowTitle(title);
    InputCapture capture(window);
    QCOMPARE(NoticeChannel::sendNotice(title, QStringLiteral("===== Demo Mode =====")), 1L);
    const QList<QStringList> expected{{title, QStringLiteral("===== Demo Mode =====")}};
    QCOMPARE(dialogs.shown(), expected);
}

void TestInputCapture::hooksGoWithTheCapture()
{
    QWidget window;
    {
        InputCapture capture(window);
        // No event node here: the application's own events stand in, so both hooks are there.
        QVERIFY(InputHook::keyboardHookHandle());
        QVERIFY(InputHook::mouseHookHandle());
    }
    QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
    QCOMPARE(InputHook::mouseHookHandle(), nullptr);
    QCOMPARE(InputHook::instance(), nullptr);
}

QTEST_MAIN(TestInputCapture)
#include "tst_inputcapture.moc"
