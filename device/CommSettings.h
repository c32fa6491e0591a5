#pragma once
// The serial-port component's line settings: the enumerations and sets of its line properties
// and the four settings objects it owns (character format, queue sizes and time limits, special
// characters, platform time-outs). A settings object that changes while its component's port is
// open applies its part to the port at once; while the port is closed it only stores the value.

#include "platform/classes/Persistent.h"

#include <cstdint>

class TCustomComm;

enum TDataBits : uint8_t { db4, db5, db6, db7, db8 };
enum TParity : uint8_t { paNone, paOdd, paEven, paMark, paSpace };
enum TStopBits : uint8_t { sb1, sb1p5, sb2 };

enum TFlowControl : uint8_t { fcNone, fcRtsCts, fcDtrDsr, fcSoftware, fcCustom };

enum TBaudRate : uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000,
    brCustom
};

// The rate of a named baud rate in bit/s; 0 for brCustom.
uint32_t BaudRateValue(TBaudRate rate);

// Sets are bit masks of their members.
enum TRTSSetting : uint8_t { fsCTSOut = 1, fsRTSEnabled = 2, fsRTSHandshake = 4 };
enum TDTRSetting : uint8_t { fsDSROut = 1, fsDTREnabled = 2, fsDTRHandshake = 4 };
enum TXOnXOffSetting : uint8_t { fsInX = 1, fsOutX = 2 };
using TRTSSettings = uint8_t;
using TDTRSettings = uint8_t;
using TXOnXOffSettings = uint8_t;

enum TCommOption : uint8_t {
    coAbortOnError = 1,
    coDiscardNull = 2,
    coDSRSensitivity = 4,
    coErrorChar = 8,
    coParityCheck = 16,
    coTXContinueOnXOff = 32,
    coLeaveDTROpen = 64,
};
using TCommOptions = uint8_t;

// Device events, one bit each in the order of the device's event mask.
enum TDeviceEvent : uint16_t {
    deChar = 1 << 0,
    deFlag = 1 << 1,
    deOutEmpty = 1 << 2,
    deCTS = 1 << 3,
    deDSR = 1 << 4,
    deRLSD = 1 << 5,
    deBreak = 1 << 6,
    deError = 1 << 7,
    deRing = 1 << 8,
    dePrintError = 1 << 9,
    deIn80Full = 1 << 10,
    deProv1 = 1 << 11,
    deProv2 = 1 << 12,
};
using TDeviceEvents = uint16_t;

// Character format: data bits, parity and stop bits.
class TCommDataControl : public TPersistent {
    Q4_CLASS(TCommDataControl, TPersistent)
public:
    explicit TCommDataControl(TCustomComm* owner) : owner_(owner) {}

    // Copies the source's values and applies them when the port is open. A source of another
    // class raises EConvertError.
    void Assign(TPersistent* source) override;
    void Assign(const TCommDataControl& source);
    TPersistent* GetOwner() override;

    TDataBits DataBits() const;
    void SetDataBits(TDataBits value);
    TParity Parity() const;
    void SetParity(TParity value);
    TStopBits StopBits() const;
    void SetStopBits(TStopBits value);

private:
    friend class TCustomComm;
    void Changed();

    TCustomComm* owner_;
    TDataBits dataBits_ = db8;
    TParity parity_ = paNone;
    TStopBits stopBits_ = sb1;
};

// Driver queue sizes and the time limits of the component's reads and writes.
class TCommBuffers : public TPersistent {
    Q4_CLASS(TCommBuffers, TPersistent)
public:
    explicit TCommBuffers(TCustomComm* owner) : owner_(owner) {}

    // Copies the source's values and applies them when the port is open. A source of another
    // class raises EConvertError.
    void Assign(TPersistent* source) override;
    void Assign(const TCommBuffers& source);
    TPersistent* GetOwner() override;

    // Sizes are clamped to 128..4096 bytes.
    uint16_t InputSize() const;
    void SetInputSize(uint16_t value);
    uint16_t OutputSize() const;
    void SetOutputSize(uint16_t value);
    uint16_t InputTimeout() const { return inputTimeout_; }
    void SetInputTimeout(uint16_t value) { inputTimeout_ = value; }
    uint16_t OutputTimeout() const { return outputTimeout_; }
    void SetOutputTimeout(uint16_t value) { outputTimeout_ = value; }

    static constexpr uint16_t MinSize = 128;
    static constexpr uint16_t MaxSize = 4096;

private:
    friend class TCustomComm;
    static uint16_t Clamp(uint16_t value);

    TCustomComm* owner_;
    uint16_t inputSize_ = 2048;
    uint16_t outputSize_ = 2048;
    uint16_t inputTimeout_ = 500;
    uint16_t outputTimeout_ = 500;
};

// The special characters of the line, by index: XON, XOFF, end of file, error, event.
class TCommEventChars : public TPersistent {
    Q4_CLASS(TCommEventChars, TPersistent)
public:
    explicit TCommEventChars(TCustomComm* owner) : owner_(owner) {}

    // Copies the source's values and applies them when the port is open. A source of another
    // class raises EConvertError.
    void Assign(TPersistent* source) override;
    void Assign(const TCommEventChars& source);
    TPersistent* GetOwner() override;

    uint8_t Char(int index) const;
    void SetChar(int index, uint8_t value);

    uint8_t XonChar() const { return Char(0); }
    void SetXonChar(uint8_t value) { SetChar(0, value); }
    uint8_t XoffChar() const { return Char(1); }
    void SetXoffChar(uint8_t value) { SetChar(1, value); }
    uint8_t EofChar() const { return Char(2); }
    void SetEofChar(uint8_t value) { SetChar(2, value); }
    uint8_t ErrorChar() const { return Char(3); }
    void SetErrorChar(uint8_t value) { SetChar(3, value); }
    uint8_t EventChar() const { return Char(4); }
    void SetEventChar(uint8_t value) { SetChar(4, value); }

private:
    TCustomComm* owner_;
    uint8_t chars_[5] = {17, 19, 0, 0, 10};
};

// The platform time-outs of the port, by index: read interval, read multiplier, read constant,
// write multiplier, write constant. The component's own reads and writes keep their time limits
// in TCommBuffers; these are kept and applied for the device's sake.
class TCommTimeoutsEx : public TPersistent {
    Q4_CLASS(TCommTimeoutsEx, TPersistent)
public:
    explicit TCommTimeoutsEx(TCustomComm* owner) : owner_(owner) {}

    // Copies the source's values and applies them when the port is open. A source of another
    // class raises EConvertError.
    void Assign(TPersistent* source) override;
    void Assign(const TCommTimeoutsEx& source);
    TPersistent* GetOwner() override;

    uint32_t Value(int index) const;
    void SetValue(int index, uint32_t value);

    uint32_t ReadInterval() const { return Value(0); }
    void SetReadInterval(uint32_t value) { SetValue(0, value); }
    uint32_t ReadMultiplier() const { return Value(1); }
    void SetReadMultiplier(uint32_t value) { SetValue(1, value); }
    uint32_t ReadConstant() const { return Value(2); }
    void SetReadConstant(uint32_t value) { SetValue(2, value); }
    uint32_t WriteMultiplier() const { return Value(3); }
    void SetWriteMultiplier(uint32_t value) { SetValue(3, value); }
    uint32_t WriteConstant() const { return Value(4); }
    void SetWriteConstant(uint32_t value) { SetValue(4, value); }

private:
    TCustomComm* owner_;
    uint32_t values_[5] = {1, 0, 1, 0, 1};
};
