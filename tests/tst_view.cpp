// The window controller, the view and the host window: window set-up, the scene's interface,
// the start order, dragging, busy and closing.
#include "app/UserEvent.h"
#include "app/Widget.h"
#include "bridge/Ui_Controler.h"
#include "bridge/myQQuickView.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_View : public QObject
{
    Q_OBJECT

    static QObject *root(myQQuickView *view) { return view ? view->rootObject() : nullptr; }

private slots:
    void controllerSetsUpTheWindow()
    {
        QWidget host;
        QObject hid;
        Ui_Controler ctl(&host, &hid);
        QCOMPARE(host.objectName(), QStringLiteral("Widget"));
        QCOMPARE(int(host.windowFlags()), 0x02000801);
        QVERIFY(host.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(host.styleSheet(), QStringLiteral("background:transparent;"));
        QCOMPARE(host.windowTitle(), QStringLiteral("V7 Studio"));
        QCOMPARE(host.size(), QSize(1000, 600));

        myQQuickView *view = ctl.view();
        QVERIFY(view);
        QCOMPARE(view->parentWidget(), &host);
        QCOMPARE(view->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(view->status(), QQuickWidget::Ready);
        QQmlContext *context = view->rootContext();
        QCOMPARE(context->contextProperty("ui_View").value<QObject *>(), view);
        QCOMPARE(context->contextProperty("hid").value<QObject *>(), &hid);
        QCOMPARE(context->contextProperty("ui_Ctl").value<QObject *>(), &ctl);
        QVERIFY(!root(view)->property("visible").toBool());
    }

    void namedHostKeepsItsName()
    {
        QWidget host;
        host.setObjectName("main");
        Ui_Controler ctl(&host);
        QCOMPARE(host.objectName(), QStringLiteral("main"));
    }

    void dragMovesTheWindow_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::newRow("still") << 0 << 0;
        QTest::newRow("right down") << 15 << 7;
        QTest::newRow("left up") << -20 << -9;
    }
    void dragMovesTheWindow()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QWidget host;
        Ui_Controler ctl(&host);
        host.move(100, 200);
        ctl.onXChanged(dx);
        QCOMPARE(host.pos(), QPoint(100 + dx, 200));
        ctl.onYChanged(dy);
        QCOMPARE(host.pos(), QPoint(100 + dx, 200 + dy));
    }

    void busyDisablesTheViewUntilTheTimerEnds()
    {
        QWidget host;
        Ui_Controler ctl(&host);
        myQQuickView *view = ctl.view();
        view->runUI();
        QTRY_VERIFY(root(view)->property("visible").toBool());
        ctl.setBusy(30);
        // A direct call: the scene is busy before setBusy returns.
        QVERIFY(!view->isEnabled());
        QObject *busy = root(view)->findChild<QObject *>("busy");
        QVERIFY(busy && busy->property("visible").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(view->isEnabled(), 5000);
        QVERIFY(!busy->property("visible").toBool());
        ctl.setBusy();
        QTRY_VERIFY_WITH_TIMEOUT(view->isEnabled(), 5000);
    }

    void keysReachTheSceneQueued()
    {
        QWidget host;
        Ui_Controler ctl(&host);
        myQQuickView *view = ctl.view();
        QSignalSpy keys(root(view), SIGNAL(msg_KB(bool, int)));
        view->detectKeyboard(true, 0x04);
        view->detectMouse(true, 0xF0, 5, 6);
        QCOMPARE(keys.size(), 0);
        QTRY_COMPARE(keys.size(), 1);
        QCOMPARE(keys[0][0].toBool(), true);
        QCOMPARE(keys[0][1].toInt(), 0x04);
    }

    void skinSelectorNeedsTwoSkins()
    {
        QTemporaryDir tmp;
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp.path()));
        myQQuickView view;
        const bool none = view.getIsSkinShow();
        QDir().mkpath("modules/img/skin1");
        QFile("modules/img/readme.txt").open(QIODevice::WriteOnly);
        const bool one = view.getIsSkinShow();
        QDir().mkpath("modules/img/skin2");
        const bool two = view.getIsSkinShow();
        QVERIFY(QDir::setCurrent(cwd));
        QVERIFY(!none);
        QVERIFY(!one);
        QVERIFY(two);
    }

    void startRunsInitBeforeRun()
    {
        Widget widget;
        myQQuickView *view = widget.view();
        QVERIFY(view);
        QCOMPARE(view->transport(), &widget.transport());
        QCOMPARE(view->rootContext()->contextProperty("hid").value<QObject *>(),
                 &widget.transport());
        QObject *scene = root(view);
        QSignalSpy started(&widget, &Widget::uiStarted);
        // A foreign code does nothing.
        QCoreApplication::postEvent(&widget, new UserEvent(1234));
        QCoreApplication::processEvents();
        QCOMPARE(started.size(), 0);
        QVERIFY(!scene->property("initialised").toBool());

        widget.startUi();
        QVERIFY(!scene->property("initialised").toBool());
        QTRY_COMPARE(started.size(), 1);
        QTRY_VERIFY(scene->property("visible").toBool());
        QVERIFY(scene->property("initialised").toBool());
    }

    void closeButtonClosesTheWindow()
    {
        Widget widget;
        widget.show();
        widget.startUi();
        QObject *scene = root(widget.view());
        QTRY_VERIFY_WITH_TIMEOUT(scene->property("ready").toBool(), 10000);
        // The close button sits in the top right corner.
        QTest::mouseClick(widget.view(), Qt::LeftButton, {}, QPoint(1000 - 22, 22));
        QTRY_VERIFY_WITH_TIMEOUT(!widget.isVisible(), 5000);
    }
};

QTEST_MAIN(tst_View)
#include "tst_view.moc"
