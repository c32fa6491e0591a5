#pragma once
// The serial-port component's line settings: the enumerations and sets of its line properties
// and the four settings objects it owns (character format, queue sizes and time limits, special
// characters, platform time-outs). A settings object that changes while its component's port is
// open applies its part to the port at once; while the port is closed it only stores the value.

#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"

#include <cstdint>

class TCustomComm;

Q4_ENUM(TDataBits, db4, db5, db6, db7, db8);
Q4_ENUM(TParity, paNone, paOdd, paEven, paMark, paSpace);
Q4_ENUM(TStopBits, sb1, sb1p5, sb2);

Q4_ENUM(TFlowControl, fcNone, fcRtsCts, fcDtrDsr, fcSoftware, fcCustom);

Q4_ENUM(TBaudRate, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400,
        br56000, br57600, br115200, br128000, br256000, brCustom);

// The rate of a named baud rate in bit/s; 0 for brCustom.
uint32_t BaudRateValue(TBaudRate rate);

// The line-setting sets.
Q4_ENUM(TRTSSetting, fsCTSOut, fsRTSEnabled, fsRTSHandshake);
Q4_ENUM(TDTRSetting, fsDSROut, fsDTREnabled, fsDTRHandshake);
Q4_ENUM(TXOnXOffSetting, fsInX, fsOutX);
using TRTSSettings = TSet<TRTSSetting>;
using TDTRSettings = TSet<TDTRSetting>;
using TXOnXOffSettings = TSet<TXOnXOffSetting>;

Q4_ENUM(TCommOption, coAbortOnError, coDiscardNull, coDSRSensitivity, coErrorChar, coParityCheck,
        coTXContinueOnXOff, coLeaveDTROpen);
using TCommOptions = TSet<TCommOption>;

// Device events, in the order of the device's event mask.
Q4_ENUM(TDeviceEvent, deChar, deFlag, deOutEmpty, deCTS, deDSR, deRLSD, deBreak, deError, deRing,
        dePrintError, deIn80Full, deProv1, deProv2);
using TDeviceEvents = TSet<TDeviceEvent>;

// Character format: data bits, parity and stop bits.
class TCommDataControl : public TPersistent {
    Q4_CLASS(TCommDataControl, TPersistent)
public:
    explicit TCommDataControl(TCustomComm* owner) : owner_(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        using C = TCommDataControl;
        p.Add("DataBits", &C::DataBits, &C::SetDataBits).Default(db8);
        p.Add("Parity", &C::Parity, &C::SetParity).Default(paNone);
        p.Add("StopBits", &C::StopBits, &C::SetStopBits).Default(sb1);
    }

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
    static void DeclareProperties(TPropertyList& p) {
        using C = TCommBuffers;
        p.Add("InputSize", &C::InputSize, &C::SetInputSize).Default(2048);
        p.Add("OutputSize", &C::OutputSize, &C::SetOutputSize).Default(2048);
        p.Add("InputTimeout", &C::InputTimeout, &C::SetInputTimeout).Default(500);
        p.Add("OutputTimeout", &C::OutputTimeout, &C::SetOutputTimeout).Default(500);
    }

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
    // Published as characters; descriptions write the control characters as "#17".
    static void DeclareProperties(TPropertyList& p) {
        using C = TCommEventChars;
        const TTypeInfo* ch = Q4TypeInfo(static_cast<char*>(nullptr));
        p.Add("XonChar", &C::XonChar, &C::SetXonChar, ch).Default(17);
        p.Add("XoffChar", &C::XoffChar, &C::SetXoffChar, ch).Default(19);
        p.Add("EofChar", &C::EofChar, &C::SetEofChar, ch).Default(0);
        p.Add("ErrorChar", &C::ErrorChar, &C::SetErrorChar, ch).Default(0);
        p.Add("EventChar", &C::EventChar, &C::SetEventChar, ch).Default(10);
    }

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
    static void DeclareProperties(TPropertyList& p) {
        using C = TCommTimeoutsEx;
        p.Add("ReadInterval", &C::ReadInterval, &C::SetReadInterval).Default(1);
        p.Add("ReadMultiplier", &C::ReadMultiplier, &C::SetReadMultiplier).Default(0);
        p.Add("ReadConstant", &C::ReadConstant, &C::SetReadConstant).Default(1);
        p.Add("WriteMultiplier", &C::WriteMultiplier, &C::SetWriteMultiplier).Default(0);
        p.Add("WriteConstant", &C::WriteConstant, &C::SetWriteConstant).Default(1);
    }

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
