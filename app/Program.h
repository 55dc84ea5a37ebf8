#pragma once

// The program's start-up sequence and event loop.
namespace Program {

int run(int argc, char **argv);

} // namespace Program
