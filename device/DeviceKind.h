#pragma once

// The two kinds of device. The values are also the devices' positions in the device table, the
// ids the scene switches between and the "type" of the device description.
namespace DeviceKind {
enum : int { Keyboard = 0, Mouse = 1 };
} // namespace DeviceKind
