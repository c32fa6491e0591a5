#include "app/firmware/FirmwareImage.h"

#include <algorithm>

TFirmwareImage::TFirmwareImage() : bytes_(FlashSize, 0xFF), given_(FlashSize, false) {}

std::string TFirmwareImage::Bytes(uint32_t address, uint32_t count) const {
    std::string bytes(count, '\xFF');
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(At(address + i));
    return bytes;
}

bool TFirmwareImage::Put(uint32_t address, uint8_t value) {
    if (address >= FlashSize || given_[address])
        return false;
    bytes_[address] = value;
    given_[address] = true;
    start_ = count_ == 0 ? address : std::min(start_, address);
    end_ = count_ == 0 ? address + 1 : std::max(end_, address + 1);
    ++count_;
    return true;
}
