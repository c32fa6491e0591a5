#include "device/DeviceError.h"

#include "platform/serial/SerialDevice.h"

const char* const sDeviceNotOpen = "Device not opened.";
const char* const sDeviceAlreadyOpen = "Device is allready opened.";
const char* const sDeviceSetDCB = "Unable to update device control block.";
const char* const sDeviceSendLocked = "Device locked. Cannot perform send operations.";
const char* const sDeviceReadLocked = "Device locked. Cannot perform read operations.";
const char* const sDeviceSetBuffers = "Unable to update IO buffers.";
const char* const sDeviceSetTimeouts = "Unable to update Timeouts.";
const char* const sDeviceReadFailed = "Unable to read from port.";
const char* const sDeviceWriteFailed = "Unable to write to port.";
const char* const sModemCommandState = "Modem command state not present.";
const char* const sDeviceOpenFailed = "Cannot open device %s";

void RaiseCommError(const std::string& message, int errorCode) {
    throw EDeviceError(message, errorCode);
}

void RaiseCommErrorSys(const std::string& message, int errorCode, int systemError) {
    RaiseCommErrorSys(message, errorCode, systemError, SystemErrorText(systemError));
}

void RaiseCommErrorSys(const std::string& message, int errorCode, int systemError,
                       const std::string& systemText) {
    throw EDeviceError(message + " (system error " + std::to_string(systemError) + ": " +
                           systemText + ")",
                       errorCode);
}
