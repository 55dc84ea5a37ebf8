#pragma once

#include "support/SimRig.h"

#include <QByteArray>
#include <QList>

// Helpers for tests that check what a command puts on the wire.
namespace CommandWire {

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

} // namespace CommandWire
