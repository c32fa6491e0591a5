#include "platform/serial/SerialDevice.h"

#include "platform/serial/TermiosDevice.h"

#include <cerrno>
#include <cstring>

TSerialDevice::~TSerialDevice() = default;

std::string SystemErrorText(int error) {
    char buffer[256];
    // The GNU strerror_r returns the text, which need not be in the buffer.
    const char* text = ::strerror_r(error, buffer, sizeof buffer);
    return text ? std::string(text) : std::string("Unknown error");
}

std::string SerialOpenErrorText(int error) {
    std::string text = SystemErrorText(error);
    switch (error) {
    case EACCES:
    case EPERM:
        text += "; the user must be a member of the \"dialout\" group to use serial ports";
        break;
    case EBUSY:
    case EWOULDBLOCK:
        text += "; the port is in use by another program";
        break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        text += "; the device is not present: check that the cable or adapter is plugged in";
        break;
    case ENOTTY:
        text += "; this is not a serial device";
        break;
    default:
        break;
    }
    return text;
}

std::unique_ptr<TSerialDevice> OpenSerialDevicePath(const std::string& path, int& error) {
    return TTermiosDevice::Open(path, error);
}
