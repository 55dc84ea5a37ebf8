#include "bridge/SceneInputQueue.h"

#include <QTest>
#include <QVariant>

namespace {

// Stands in for the scene's root item.
class Root : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
    Q_INVOKABLE void detectKeyboard(const QVariant &isDown, const QVariant &usbCode)
    {
        calls << QStringLiteral("key %1 %2").arg(isDown.toBool()).arg(usbCode.toInt());
    }
    Q_INVOKABLE void detectMouse(const QVariant &isDown, const QVariant &button, const QVariant &x,
                                 const QVariant &y)
    {
        calls << QStringLiteral("button %1 %2 %3 %4")
                     .arg(isDown.toBool())
                     .arg(button.toUInt())
                     .arg(x.toUInt())
                     .arg(y.toUInt());
    }
};

} // namespace

class TestSceneInput : public QObject
{
    Q_OBJECT
private slots:
    void burstArrivesLaterInOrder();
    void overflowDropsAndCounts();
    void noSceneDropsQuietly();
};

void TestSceneInput::burstArrivesLaterInOrder()
{
    Root root;
    SceneInputQueue queue([&root] { return &root; });
    queue.pushKey(true, 0x04);
    queue.pushButton(true, 0xF0, 10, 20);
    queue.pushKey(false, 0x04);
    QVERIFY(root.calls.isEmpty()); // never from inside the hook procedure
    QCoreApplication::processEvents();
    QCOMPARE(root.calls, (QStringList{"key 1 4", "button 1 240 10 20", "key 0 4"}));
    queue.pushKey(true, 0xE1);
    QCoreApplication::processEvents();
    QCOMPARE(root.calls.size(), 4);
    QCOMPARE(root.calls.last(), QStringLiteral("key 1 225"));
    QCOMPARE(queue.dropped(), quint64(0));
}

void TestSceneInput::overflowDropsAndCounts()
{
    Root root;
    SceneInputQueue queue([&root] { return &root; });
    for (int i = 0; i < 1100; ++i)
        queue.pushKey(i % 2 == 0, uchar(i));
    QCOMPARE(queue.dropped(), quint64(1100 - 1024));
    QCoreApplication::processEvents();
    QCOMPARE(root.calls.size(), 1024);
    QCOMPARE(root.calls.first(), QStringLiteral("key 1 0"));
    // The ring wraps cleanly afterwards.
    queue.pushKey(true, 7);
    QCoreApplication::processEvents();
    QCOMPARE(root.calls.last(), QStringLiteral("key 1 7"));
}

void TestSceneInput::noSceneDropsQuietly()
{
    SceneInputQueue queue([] { return static_cast<QObject *>(nullptr); });
    queue.pushKey(true, 4);
    QCoreApplication::processEvents();
    QCOMPARE(queue.dropped(), quint64(0));
}

QTEST_GUILESS_MAIN(TestSceneInput)
#include "tst_sceneinput.moc"
