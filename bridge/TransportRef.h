#pragma once

class Hid_Thread;

// The transport the view currently talks through. There is none until the program sets one,
// and it may be replaced at any time, so holders ask for it on every use.
class TransportRef
{
public:
    Hid_Thread *get() const { return m_hid; }
    void set(Hid_Thread *hid) { m_hid = hid; }

private:
    Hid_Thread *m_hid = nullptr;
};
