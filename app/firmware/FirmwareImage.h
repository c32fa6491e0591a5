#pragma once
// A firmware image as the unit's flash will hold it: bytes at their addresses inside the unit's
// 128 KiB of flash, and which addresses the image file gave. Addresses the file left out read as
// erased flash ("FF").

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TFirmwareImage {
public:
    // The unit's flash; no image byte lies at or beyond it.
    static constexpr uint32_t FlashSize = 0x20000;

    TFirmwareImage();

    // True until a byte is put.
    bool Empty() const { return count_ == 0; }
    // Bytes the file gave.
    size_t ByteCount() const { return count_; }
    // The lowest address the file gave, and one past the highest (both 0 when empty).
    uint32_t Start() const { return start_; }
    uint32_t End() const { return end_; }

    bool Has(uint32_t address) const { return address < FlashSize && given_[address]; }
    // The byte at an address: "FF" where the file gave none.
    uint8_t At(uint32_t address) const { return address < FlashSize ? bytes_[address] : 0xFF; }
    // `count` bytes from `address` on, "FF" where the file gave none.
    std::string Bytes(uint32_t address, uint32_t count) const;
    // Puts a byte; false (nothing changed) when the address lies beyond the flash or already
    // holds a byte.
    bool Put(uint32_t address, uint8_t value);

private:
    std::vector<uint8_t> bytes_;
    std::vector<bool> given_;
    size_t count_ = 0;
    uint32_t start_ = 0;
    uint32_t end_ = 0;
};
