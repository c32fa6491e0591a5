#pragma once
// Line rates that have no B-constant of their own (14400, 56000, 128000, 250000 ...), set and
// read through the kernel's second termios interface. Kept in a file of its own because that
// interface's header cannot be included beside <termios.h>.

#include <cstdint>

// Sets both directions of the open terminal `fd` to `rate` bit/s; 0 or an errno value.
int SetCustomBaudRate(int fd, uint32_t rate);
// The output rate of `fd` in bit/s, whatever way it was set; 0 or an errno value.
int GetActualBaudRate(int fd, uint32_t& rate);
