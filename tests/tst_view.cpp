// The window controller, the view and the host window: the start order, dragging, busy, the
// skin selector and closing.
#include "app/Widget.h"
#include "bridge/Ui_Controler.h"
#include "bridge/myQQuickView.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_View : public QObject
{
    Q_OBJECT

private slots:
    void dragMovesTheWindow()
    {
        QWidget host;
        Ui_Controler ctl(&host);
        host.move(100, 200);
        ctl.onXChanged(-20);
        QCOMPARE(host.pos(), QPoint(80, 200));
        ctl.onYChanged(9);
        QCOMPARE(host.pos(), QPoint(80, 209));
    }

    void busyDisablesTheViewUntilTheTimerEnds()
    {
        QWidget host;
        Ui_Controler ctl(&host);
        myQQuickView *view = ctl.view();
        view->runUI();
        QTRY_VERIFY(view->rootObject()->property("visible").toBool());
        ctl.setBusy(30);
        // A direct call: the scene is busy before setBusy returns.
        QVERIFY(!view->isEnabled());
        QObject *busy = view->rootObject()->findChild<QObject *>("busy");
        QVERIFY(busy && busy->property("visible").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(view->isEnabled(), 5000);
        QVERIFY(!busy->property("visible").toBool());
    }

    void skinSelectorNeedsTwoSkins()
    {
        QTemporaryDir tmp;
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp.path()));
        myQQuickView view;
        QList<bool> shown{view.getIsSkinShow()};
        QDir().mkpath("modules/img/skin1");
        QFile("modules/img/readme.txt").open(QIODevice::WriteOnly);
        shown << view.getIsSkinShow();
        QDir().mkpath("modules/img/skin2");
        shown << view.getIsSkinShow();
        QVERIFY(QDir::setCurrent(cwd));
        QCOMPARE(shown, QList<bool>({false, false, true}));
    }

    // Init runs before run, and once the scene is ready its close button closes the window.
    void startThenClose()
    {
        Widget widget;
        QCOMPARE(widget.view()->transport(), &widget.transport());
        QObject *scene = widget.view()->rootObject();
        QSignalSpy started(&widget, &Widget::uiStarted);
        widget.show();
        widget.startUi();
        QVERIFY(!scene->property("initialised").toBool());
        QTRY_COMPARE(started.size(), 1);
        QTRY_VERIFY(scene->property("visible").toBool());
        QVERIFY(scene->property("initialised").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(scene->property("ready").toBool(), 10000);
        // The close button sits in the top right corner.
        QTest::mouseClick(widget.view(), Qt::LeftButton, {}, QPoint(1000 - 22, 22));
        QTRY_VERIFY_WITH_TIMEOUT(!widget.isVisible(), 5000);
    }
};

QTEST_MAIN(tst_View)
#include "tst_view.moc"
