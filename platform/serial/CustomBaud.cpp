#include "platform/serial/CustomBaud.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

int SetCustomBaudRate(int fd, uint32_t rate) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_cflag &= ~(CBAUD << IBSHIFT); // input rate follows the output rate
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    if (ioctl(fd, TCSETS2, &t) != 0)
        return errno;
    return 0;
}

int GetActualBaudRate(int fd, uint32_t& rate) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    rate = t.c_ospeed;
    return 0;
}
