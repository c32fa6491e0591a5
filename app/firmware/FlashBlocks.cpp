#include "app/firmware/FlashBlocks.h"

#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

constexpr uint32_t kBlockBytes = 128;
constexpr uint32_t kLineBytes = 16;

} // namespace

uint8_t BlockCheckByte(const std::string& bytes) {
    uint8_t x = 0;
    for (char b : bytes)
        x ^= static_cast<uint8_t>(b);
    return x;
}

std::string BlockCommand(const TFlashBlock& block) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string data;
    data.reserve(block.Bytes.size() * 2);
    for (char c : block.Bytes) {
        const auto b = static_cast<uint8_t>(c);
        data += kDigits[b >> 4];
        data += kDigits[b & 15];
    }
    return "W" + IntToHex(block.Number, 4) + ":" + data + ":" +
           IntToHex(BlockCheckByte(block.Bytes), 2);
}

void TFlashSums::Add(uint8_t check) {
    sums_[blocks_ % 4] ^= check;
    ++blocks_;
}

std::string TFlashSums::FinishCommand() const {
    std::string text = "EE";
    for (uint8_t s : sums_)
        text += IntToHex(s, 2);
    return text;
}

std::vector<TFlashBlock> LineBlocks(const TFirmwareImage& image) {
    std::vector<TFlashBlock> blocks;
    const uint32_t end = (image.End() + kLineBytes - 1) / kLineBytes * kLineBytes;
    for (uint32_t at = 0; at < end; at += kBlockBytes) {
        const uint32_t size = std::min(kBlockBytes, end - at);
        blocks.push_back({static_cast<uint16_t>(at / kLineBytes), image.Bytes(at, size)});
    }
    return blocks;
}

std::vector<TFlashBlock> PaddedBlocks(const TFirmwareImage& image) {
    std::vector<TFlashBlock> blocks;
    if (image.Empty())
        return blocks;
    const uint32_t first = image.Start() / kBlockBytes * kBlockBytes;
    for (uint32_t at = first; at < image.End(); at += kBlockBytes)
        blocks.push_back({static_cast<uint16_t>(at / kLineBytes), image.Bytes(at, kBlockBytes)});
    return blocks;
}
