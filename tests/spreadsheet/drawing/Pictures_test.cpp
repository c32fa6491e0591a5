#include "spreadsheet/drawing/EscherGroup.h"

#include "platform/rtl/Streams.h"
#include "spreadsheet/core/MD4Hash.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// A 24-bit bitmap file of width x height pixels (rows padded to 4 bytes).
std::vector<uint8_t> BitmapFile(int width, int height) {
    const int row = (width * 3 + 3) & ~3, size = 54 + row * height;
    std::vector<uint8_t> b(static_cast<size_t>(size), 0);
    const auto put = [&](int at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[static_cast<size_t>(at + i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<uint32_t>(size), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int i = 54; i < size; ++i)
        b[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7);
    return b;
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = std::string(Q4_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(Pictures, BitmapsAndTheirKinds) {
    TMSOPictures store;
    // 255 bytes: kept as a bitmap without its file header.
    std::vector<uint8_t> small(255, 0x11);
    small[0] = 'B';
    small[1] = 'M';
    TMSOPicture& a = *store.Add();
    a.SetFilename(WriteFile("pic-small.bmp", small));
    EXPECT_EQ(a.PictureType, ptDIB);
    EXPECT_EQ(a.Data.size(), 241u);
    // More than 255 bytes: converted to PNG.
    const std::vector<uint8_t> big = BitmapFile(10, 8);
    ASSERT_GT(big.size(), 255u);
    TMSOPicture& b = *store.Add();
    b.SetFilename(WriteFile("pic-big.bmp", big));
    EXPECT_EQ(b.PictureType, ptPNG);
    EXPECT_EQ(b.Filename().substr(b.Filename().size() - 11), "pic-big.png");
    ASSERT_GT(b.Data.size(), 8u);
    EXPECT_EQ(std::string(b.Data.begin() + 1, b.Data.begin() + 4), "PNG");
    // The digest is the MD4 of the stored bytes.
    TMD4Hash md4;
    uint8_t digest[16];
    md4.Init();
    md4.Update(b.Data.data(), static_cast<int>(b.Data.size()));
    md4.Final(digest);
    EXPECT_EQ(std::vector<uint8_t>(digest, digest + 16),
              std::vector<uint8_t>(b.Digest.begin(), b.Digest.end()));
    EXPECT_EQ(b.DisplayName(), "Picture " + std::to_string(b.ID()));
    // Names are unique in the store (ignoring case); kinds come from the extension.
    TMSOPicture& c = *store.Add();
    EXPECT_EQ(ErrorMessage([&] { c.SetFilename(a.Filename()); }),
              "A picture with this name already exists.");
    EXPECT_EQ(ErrorMessage([&] { c.SetFilename(WriteFile("pic.gif", small)); }),
              "Unknown picture type GIF");
    EXPECT_EQ(ErrorMessage([&] {
                  c.SetFilename(WriteFile("tiny.bmp", {'B', 'M'}));
              }),
              "Invalid bitmap file");
    EXPECT_EQ(PictureTypeOfFile("x.Jpeg"), ptJPEG);
    EXPECT_EQ(PictureTypeOfFile("x.wmf"), ptWMF);
}

} // namespace
