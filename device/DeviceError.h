#pragma once
// The serial-port component's error: a message and a code that says which operation failed.

#include "platform/rtl/Exception.h"

#include <string>

class EDeviceError : public Exception {
public:
    EDeviceError(std::string message, int errorCode)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    const char* ClassName() const noexcept override { return "EDeviceError"; }

    int ErrorCode;
};

// Error codes.
enum : int {
    DEVICE_NOTOPEN = 1,
    DEVICE_ALREADYOPEN = 2,
    DEVICE_SETDCB = 3,
    DEVICE_SENDLOCKED = 4,
    DEVICE_READLOCKED = 5,
    DEVICE_SETBUFFERS = 6,
    DEVICE_SETTIMEOUTS = 7,
    DEVICE_READFAILED = 10,
    DEVICE_WRITEFAILED = 11,
    DEVICE_MODEMCMDSTATE = 256,
    DEVICE_OPENFAILED = 65535,
};

// Messages (operator texts, kept as they are).
extern const char* const sDeviceNotOpen;     // 1
extern const char* const sDeviceAlreadyOpen; // 2
extern const char* const sDeviceSetDCB;      // 3
extern const char* const sDeviceSendLocked;  // 4
extern const char* const sDeviceReadLocked;  // 5
extern const char* const sDeviceSetBuffers;  // 6
extern const char* const sDeviceSetTimeouts; // 7
extern const char* const sDeviceReadFailed;  // 10
extern const char* const sDeviceWriteFailed; // 11
extern const char* const sModemCommandState; // 256
extern const char* const sDeviceOpenFailed;  // 65535, "%s" = device name

// Raises EDeviceError with `message` and `errorCode`.
[[noreturn]] void RaiseCommError(const std::string& message, int errorCode);
// Raises EDeviceError with "message (system error N: text)" for the system error `systemError`.
[[noreturn]] void RaiseCommErrorSys(const std::string& message, int errorCode, int systemError);
// The same with `systemText` in place of the system's text for the number.
[[noreturn]] void RaiseCommErrorSys(const std::string& message, int errorCode, int systemError,
                                    const std::string& systemText);
