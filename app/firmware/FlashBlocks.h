#pragma once
// The blocks a firmware image goes to the unit's bootloader in: up to 128 bytes (eight 16-byte
// lines) each, numbered by the 16-byte line of the flash they start at, sent as
// "W" + number (4 hex digits) + ":" + the bytes as hex pairs + ":" + their XOR (2 hex digits).
// The XOR bytes of the blocks are also folded into four check sums, block 0 into the first,
// block 1 into the second, ..., block 4 into the first again, which end the flashing as
// "EE" + the four sums.

#include "app/firmware/FirmwareImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TFlashBlock {
    uint16_t Number = 0; // the flash address of its first byte / 16
    std::string Bytes;   // 1 to 128 bytes
};

// The XOR of a block's bytes.
uint8_t BlockCheckByte(const std::string& bytes);
// "W0008:0102...:1F".
std::string BlockCommand(const TFlashBlock& block);

class TFlashSums {
public:
    // Folds the check byte of the next block in.
    void Add(uint8_t check);
    // "EE" and the four sums as hex digits.
    std::string FinishCommand() const;
    const std::array<uint8_t, 4>& Sums() const { return sums_; }

private:
    std::array<uint8_t, 4> sums_{};
    size_t blocks_ = 0;
};

// The built-in images' way: the image's 16-byte lines from address 0 in groups of eight, the
// last group holding only the lines there are. The image must start at 0.
std::vector<TFlashBlock> LineBlocks(const TFirmwareImage& image);
// The file's way: whole 128-byte blocks from the block the image starts in to the one it ends
// in, every byte the file left out sent as "FF".
std::vector<TFlashBlock> PaddedBlocks(const TFirmwareImage& image);
