#pragma once

#include "device/Hid_Thread.h"

#include <QTimer>
#include <QWidget>

class Ui_Controler;
class myQQuickView;

// The one top-level window. It owns the transport and re-checks the devices 2048 ms after the
// last device change.
class Widget : public QWidget
{
    Q_OBJECT
public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &transport() { return m_transport; }
    QTimer &deviceCheckTimer() { return m_checkTimer; }
    Ui_Controler *controller() const { return m_controller; }
    myQQuickView *view() const;

    // Queues the scene's "initUI", then posts the event that queues its "run".
    void startUi();

public slots:
    void checkDevice();
    // A device appeared or went away.
    void deviceChanged();

signals:
    void uiStarted();

protected:
    void customEvent(QEvent *event) override;

private:
    void closeAfterFailedCheck();

    QTimer m_checkTimer;
    Ui_Controler *m_controller = nullptr; // a child of this window
    Hid_Thread m_transport;
};
