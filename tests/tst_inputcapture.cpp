// The start-up's wiring: hook procedure -> window's scene view -> queued scene functions, and
// the queue between them.
#include "app/InputCapture.h"
#include "bridge/SceneInputQueue.h"
#include "bridge/myQQuickView.h"
#include "input/InputHook.h"
#include "platform/Dialogs.h"

#include <QFile>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

// Stands in for the scene's root item.
class Root : public QObject
{
    Q_OBJECT
public:
    int keys = 0;
    int last = -1;
    Q_INVOKABLE void detectKeyboard(const QVariant &, const QVariant &usbCode)
    {
        ++keys;
        last = usbCode.toInt();
    }
};

} // namespace

class tst_InputCapture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false)); }

    void eventsReachTheSceneQueuedAndInOrder()
    {
        QTemporaryDir dir;
        QFile scene(dir.filePath(QStringLiteral("scene.qml")));
        QVERIFY(scene.open(QIODevice::WriteOnly));
        scene.write(R"(import QtQuick
            Item {
                property string log: ""
                function detectKeyboard(isDown, usbCode) { log += (isDown ? "+" : "-") + usbCode + " " }
                function detectMouse(isDown, tavoCode, x, y) {
                    log += (isDown ? "+" : "-") + tavoCode + "@" + x + "," + y + " "
                }
            })");
        scene.close();
        QWidget window;
        window.setWindowTitle(QStringLiteral("capture %1").arg(QCoreApplication::applicationPid()));
        InputCapture capture(window);
        // Events before the view exists are dropped quietly.
        const KeyboardEvent a{0x1E, 0};
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);

        auto *view = new myQQuickView(&window);
        view->setSource(QUrl::fromLocalFile(scene.fileName()));
        QVERIFY2(view->rootObject(), qPrintable(view->errors().value(0).toString()));
        const KeyboardEvent shift{0x2A, 0};
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &shift);
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
        const MouseEvent at{300, 200};
        InputHook::mouseProc(HookMessage::kAction, HookMessage::kRButtonDown, &at);
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &shift);
        // Queued, never from inside the hook procedure: nothing has run in the scene yet.
        QCOMPARE(view->rootObject()->property("log").toString(), QString());
        QTRY_COMPARE(view->rootObject()->property("log").toString(),
                     QStringLiteral("+225 +4 +241@300,200 -4 -225 "));
    }

    void hooksGoWithTheCapture()
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

    // A burst larger than the queue drops (and counts) the rest instead of growing or
    // blocking the hook; the ring then wraps cleanly.
    void overflowDropsAndCounts()
    {
        Root root;
        SceneInputQueue queue([&root] { return &root; });
        for (int i = 0; i < 1100; ++i)
            queue.pushKey(i % 2 == 0, uchar(i));
        QCOMPARE(queue.dropped(), quint64(1100 - 1024));
        QCoreApplication::processEvents();
        QCOMPARE(root.keys, 1024);
        QCOMPARE(root.last, 1023 & 0xFF);
        queue.pushKey(true, 7);
        QCoreApplication::processEvents();
        QCOMPARE(root.keys, 1025);
        QCOMPARE(root.last, 7);
    }
};

QTEST_MAIN(tst_InputCapture)
#include "tst_inputcapture.moc"
