#pragma once

#include <QObject>

class EvdevTranslator;

// The fallback when no event node can be read: key and mouse-button events that reach this
// application's windows are handed to the translator, so capture works while a window has focus.
class QtInputFilter : public QObject
{
    Q_OBJECT
public:
    explicit QtInputFilter(EvdevTranslator &translator, QObject *parent = nullptr);
    ~QtInputFilter() override;

    // Which events to take; installs itself on the application while either is on.
    void setCapture(bool keys, bool buttons);
    bool capturesKeys() const { return m_keys; }
    bool capturesButtons() const { return m_buttons; }

    // Hands one event to the translator when it is a key or button event this filter takes.
    void translate(const QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EvdevTranslator &m_translator;
    bool m_keys = false;
    bool m_buttons = false;
    bool m_installed = false;
};
