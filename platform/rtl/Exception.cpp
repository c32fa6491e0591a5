#include "platform/rtl/Exception.h"

#include <cerrno>
#include <cstring>

void RaiseLastOSError() {
    RaiseLastOSError(errno);
}

void RaiseLastOSError(int errorCode) {
    throw EOSError("System Error.  Code: " + std::to_string(errorCode) + ".\r\n" +
                   std::strerror(errorCode));
}
