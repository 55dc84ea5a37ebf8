#pragma once

// The sensor page's slider steps (0 to 10) as pointer values. Unsigned like the slot
// arguments: a step beyond the slider can wrap around, and the backends refuse such values.
namespace PointerSteps {

// 1, 2, 4, 6, ..., 20.
constexpr unsigned cursorSpeed(unsigned step)
{
    const unsigned value = 2u * step;
    return value == 0 ? 1u : value;
}

// 1 to 11 lines.
constexpr unsigned wheelLines(unsigned step)
{
    return step + 1u;
}

// 900 ms down to 200 ms in 70 ms steps.
constexpr unsigned doubleClickMs(unsigned step)
{
    return 900u - 70u * step;
}

} // namespace PointerSteps
