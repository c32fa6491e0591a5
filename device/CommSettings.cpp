#include "device/CommSettings.h"

#include "device/Comm.h"

uint32_t BaudRateValue(TBaudRate rate) {
    static constexpr uint32_t kValues[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                           19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return rate < brCustom ? kValues[rate] : 0;
}

// TCommDataControl

void TCommDataControl::Assign(TPersistent* source) {
    if (auto* same = dynamic_cast<TCommDataControl*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

TPersistent* TCommDataControl::GetOwner() {
    return owner_;
}

void TCommDataControl::Assign(const TCommDataControl& source) {
    if (&source == this)
        return;
    dataBits_ = source.dataBits_;
    parity_ = source.parity_;
    stopBits_ = source.stopBits_;
    Changed();
}

TDataBits TCommDataControl::DataBits() const {
    TSerialLine line;
    if (owner_ && owner_->LiveLine(line) && line.DataBits >= 4 && line.DataBits <= 8)
        return static_cast<TDataBits>(line.DataBits - 4);
    return dataBits_;
}

void TCommDataControl::SetDataBits(TDataBits value) {
    dataBits_ = value;
    Changed();
}

TParity TCommDataControl::Parity() const {
    TSerialLine line;
    if (owner_ && owner_->LiveLine(line))
        return static_cast<TParity>(line.Parity);
    return parity_;
}

void TCommDataControl::SetParity(TParity value) {
    parity_ = value;
    Changed();
}

TStopBits TCommDataControl::StopBits() const {
    TSerialLine line;
    if (owner_ && owner_->LiveLine(line))
        return static_cast<TStopBits>(line.StopBits);
    return stopBits_;
}

void TCommDataControl::SetStopBits(TStopBits value) {
    stopBits_ = value;
    Changed();
}

void TCommDataControl::Changed() {
    if (owner_ && owner_->IsOpen())
        owner_->ApplyDCB();
}

// TCommBuffers

uint16_t TCommBuffers::Clamp(uint16_t value) {
    return value < MinSize ? MinSize : value > MaxSize ? MaxSize : value;
}

void TCommBuffers::Assign(TPersistent* source) {
    if (auto* same = dynamic_cast<TCommBuffers*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

TPersistent* TCommBuffers::GetOwner() {
    return owner_;
}

void TCommBuffers::Assign(const TCommBuffers& source) {
    if (&source == this)
        return;
    inputSize_ = source.inputSize_;
    outputSize_ = source.outputSize_;
    inputTimeout_ = source.inputTimeout_;
    outputTimeout_ = source.outputTimeout_;
    if (owner_ && owner_->IsOpen())
        owner_->ApplyBuffers();
}

uint16_t TCommBuffers::InputSize() const {
    if (owner_ && owner_->IsOpen())
        if (size_t size = owner_->Device()->InputQueueSize())
            return static_cast<uint16_t>(size > 0xFFFF ? 0xFFFF : size);
    return inputSize_;
}

void TCommBuffers::SetInputSize(uint16_t value) {
    inputSize_ = Clamp(value);
    if (owner_ && owner_->IsOpen())
        owner_->ApplyBuffers();
}

uint16_t TCommBuffers::OutputSize() const {
    if (owner_ && owner_->IsOpen())
        if (size_t size = owner_->Device()->OutputQueueSize())
            return static_cast<uint16_t>(size > 0xFFFF ? 0xFFFF : size);
    return outputSize_;
}

void TCommBuffers::SetOutputSize(uint16_t value) {
    outputSize_ = Clamp(value);
    if (owner_ && owner_->IsOpen())
        owner_->ApplyBuffers();
}

// TCommEventChars

void TCommEventChars::Assign(TPersistent* source) {
    if (auto* same = dynamic_cast<TCommEventChars*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

TPersistent* TCommEventChars::GetOwner() {
    return owner_;
}

void TCommEventChars::Assign(const TCommEventChars& source) {
    if (&source == this)
        return;
    for (int i = 0; i < 5; ++i)
        chars_[i] = source.chars_[i];
    if (owner_ && owner_->IsOpen())
        owner_->ApplyDCB();
}

uint8_t TCommEventChars::Char(int index) const {
    return index >= 0 && index < 5 ? chars_[index] : 0;
}

void TCommEventChars::SetChar(int index, uint8_t value) {
    if (index < 0 || index >= 5)
        return;
    chars_[index] = value;
    if (owner_ && owner_->IsOpen())
        owner_->ApplyDCB();
}

// TCommTimeoutsEx

void TCommTimeoutsEx::Assign(TPersistent* source) {
    if (auto* same = dynamic_cast<TCommTimeoutsEx*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

TPersistent* TCommTimeoutsEx::GetOwner() {
    return owner_;
}

void TCommTimeoutsEx::Assign(const TCommTimeoutsEx& source) {
    if (&source == this)
        return;
    for (int i = 0; i < 5; ++i)
        values_[i] = source.values_[i];
    if (owner_ && owner_->IsOpen())
        owner_->ApplyTimeouts();
}

uint32_t TCommTimeoutsEx::Value(int index) const {
    return index >= 0 && index < 5 ? values_[index] : 0;
}

void TCommTimeoutsEx::SetValue(int index, uint32_t value) {
    if (index < 0 || index >= 5)
        return;
    values_[index] = value;
    if (owner_ && owner_->IsOpen())
        owner_->ApplyTimeouts();
}
