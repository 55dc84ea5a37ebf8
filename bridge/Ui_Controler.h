#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class myQQuickView;

// The window controller, published to QML as "ui_Ctl": it makes the host a frameless,
// translucent window holding the scene, and moves, closes and busies it for QML.
class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    // hid is published to the scene as "hid"; the host owns the controller.
    explicit Ui_Controler(QWidget *host, QObject *hid = nullptr);

    QWidget *host() const { return m_host; }
    myQQuickView *view() const { return m_view; }

public slots:
    void onMinimize();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    QPointer<QWidget> m_host;
    QPointer<myQQuickView> m_view;
};
