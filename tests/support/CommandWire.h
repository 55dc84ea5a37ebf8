#pragma once

#include "support/SimRig.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>

#include <functional>
#include <initializer_list>

// Helpers for tests that check what a command puts on the wire.
namespace CommandWire {

// Data-driven command tests keep their calls in columns of these types.
// One or more Set slots, given a caller's array (may be empty).
using SetCall = std::function<void(Hid_Thread &, uchar *)>;
// One or more Get slots; returns what they gave, as bytes.
using GetCall = std::function<QByteArray(Hid_Thread &)>;
// Prepares a device before a case.
using Setup = std::function<void(SimRig &)>;

// The array behind a QByteArray, as command slots take it.
inline uchar *bytes(QByteArray &a)
{
    return reinterpret_cast<uchar *>(a.data());
}

// Output values as bytes: values({ok, rate}).
QByteArray values(std::initializer_list<int> list);

// An array of length bytes prefilled with 0xEE, after get has filled it.
QByteArray filled(int length, const std::function<void(uchar *)> &get);

// length bytes that differ from their neighbours, so a shifted or reordered copy shows.
QByteArray pattern(int length, int seed = 0);

// "01 02 00 ..." or "010200...": hex text to bytes.
QByteArray hex(const char *text);

// The output reports a data phase of `data` takes with reports of reportLength bytes: report
// ID 0, one chunk of min(data size, reportLength) bytes, the rest zero.
QList<QByteArray> outputReports(const QByteArray &data, int reportLength);

// Puts a Set command straight into an emulated device, past the transport: the 7 command-block
// bytes (the checksum is added) and its data phase. The device must not scramble meanwhile.
// Lets a Get be checked against a state that its own Set did not make.
void program(SimRig &rig, SimRig::Device device, const QByteArray &block7,
             const QByteArray &data = {});

// Pauses on the command interface, in ms, in the recorded transfer: from the feature report to
// the next call on that interface, and (with a data phase) from the last output report to the
// close. Negative when that call is missing.
struct Pauses
{
    double afterBlock = -1;
    double afterData = -1;
};
Pauses pauses(const QList<HidCall> &calls);

// Whether the pauses of a transfer to a listening transport are short as prescribed: with
// waitAck each one ended by the device's acknowledge (64 ms, well under 100), without it none.
// Only the lower bounds hold on a loaded machine, so retry a case before failing on this.
bool shortAsPrescribed(const Pauses &p, bool ack, bool dataPhase);

// The shared bodies of the command tests, for either device. Each checks with QTest macros, so a
// failure ends the calling test function.

// A Set slot's exact feature report and output reports (data already cut to its length), its
// acknowledge pauses and its sleep after start; the caller's array may change at once.
void checkSetReports(SimRig &rig, SimRig::Device device, const SetCall &call,
                     const QByteArray &data, const QByteArray &report, int reports, bool ack,
                     bool sleep);
// A Get slot's exact feature report, its input reports and its result on a prepared device.
void checkGetReports(SimRig &rig, const Setup &setup, const GetCall &call, const QByteArray &report,
                     int inputReports, const QByteArray &expected);
// A Get on a stalled device, whose values all differ from the expected result.
void checkFailedExchange(SimRig &rig, SimRig::Device device, const GetCall &call,
                         const QByteArray &expected);
// Set then Get with scrambling on; every block the device understood went out scrambled.
void checkRoundTrip(SimRig &rig, SimRig::Device device, const SetCall &set, const GetCall &get,
                    const QByteArray &expected, QByteArray data = {});

} // namespace CommandWire

Q_DECLARE_METATYPE(CommandWire::SetCall)
Q_DECLARE_METATYPE(CommandWire::GetCall)
Q_DECLARE_METATYPE(CommandWire::Setup)
