// The rate a terminal is set to, read with the kernel's second termios interface, which knows
// rates that have no B-constant. Kept apart: its header cannot be included beside <termios.h>.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cstdint>

extern "C" int ioctl(int fd, unsigned long request, ...);

uint32_t TerminalOutputRate(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return 0;
    return t.c_ospeed;
}
