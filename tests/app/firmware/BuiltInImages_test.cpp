#include "app/firmware/BuiltInImages.h"
#include "app/firmware/FlashSession.h"

#include "tests/app/firmware/FirmwareTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using fwtest::Record;

TEST(BuiltInImages, TheBuiltInImagesAreWholeAndIntelhexReadsThemAlike) {
    const auto images = LoadBuiltInImages();
    const char* const headers[] = {"REV 07.503.090", "REV 07.503.090", "REV 07.503.088p"};
    const std::string folder = fwtest::TempFolder();
    for (int i = 0; i < 3; ++i) {
        const TBuiltInImage& image = images[i];
        ASSERT_TRUE(image.Usable()) << i + 1 << ": " << image.Problem();
        EXPECT_EQ(image.Header(), headers[i]);
        EXPECT_EQ(image.Image().Start(), 0u);
        EXPECT_EQ(image.Image().End(), image.Lines() * 16u);
        // The same records without the header line, read by intelhex.
        std::string text;
        for (int line = 0; line < image.Lines(); ++line) {
            const std::string bytes = image.Image().Bytes(line * 16, 16);
            text += Record(0, line * 16, std::vector<uint8_t>(bytes.begin(), bytes.end())) + "\n";
        }
        const std::string path = folder + "/" + std::to_string(i + 1) + ".hex";
        fwtest::WriteFile(path, text + fwtest::kEnd + "\n");
        std::string ours = "0 ";
        for (char c : image.Image().Bytes(0, image.Image().End())) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", static_cast<uint8_t>(c));
            ours += pair;
        }
        EXPECT_TRUE(ours == fwtest::Oracle("bin " + path)) << i + 1;
    }
    EXPECT_NE(images[0].Image().Bytes(0, 4096), images[1].Image().Bytes(0, 4096));
}

TEST(BuiltInImages, FlashingImageOneWritesExactlyItsBytes) {
    const TBuiltInImage image = TBuiltInImage::FromResource(1);
    ASSERT_TRUE(image.Usable());
    fwtest::TFlashRig rig;
    TFlashObserver quiet;
    const TFlashResult result = TFlashSession(rig.Link(), rig.Clock(), quiet).Run(image.Blocks());
    ASSERT_TRUE(result.Ok()) << result.Outcome;
    const std::vector<uint8_t> flash = rig.Flash();
    const std::string expected = image.Image().Bytes(0, TFirmwareImage::FlashSize);
    EXPECT_TRUE(std::equal(flash.begin(), flash.end(), expected.begin(),
                           [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }));
    rig.Boot([&](TSimBootloader& boot) {
        EXPECT_EQ(boot.Blocks().size(), static_cast<size_t>(image.Lines() / 8));
        EXPECT_EQ(boot.Updates(), 1);
    });
}

TEST(BuiltInImages, OnlyAWholeImageOfConsecutiveLinesIsUsable) {
    const std::string header = "REV 07.503.090\r\n";
    const std::string good = header + fwtest::LinesFile(20);
    struct Case {
        const char* name;
        std::string text;
        bool usable;
    };
    std::string misplaced = header + Record(0, 0, std::vector<uint8_t>(16, 1)) + "\r\n" +
                            Record(0, 0x20, std::vector<uint8_t>(16, 2)) + "\r\n" + fwtest::kEnd;
    std::string shortLines = header + Record(0, 0, std::vector<uint8_t>(8, 1)) + "\r\n" +
                             Record(0, 8, std::vector<uint8_t>(8, 2)) + "\r\n" + fwtest::kEnd;
    for (const Case& c : {
             Case{"whole", good, true},
             Case{"missing resource", "", false},
             Case{"no header", fwtest::LinesFile(20), false},
             Case{"header only", header, false},
             Case{"cut short", good.substr(0, good.size() / 2), false},
             Case{"a gap", misplaced, false},
             Case{"8-byte records", shortLines, false},
         }) {
        const TBuiltInImage image = TBuiltInImage::FromText(c.text);
        EXPECT_EQ(image.Usable(), c.usable) << c.name << ": " << image.Problem();
        EXPECT_EQ(image.Problem().empty(), c.usable) << c.name;
    }
    EXPECT_NE(TBuiltInImage::FromText(misplaced).Problem().find("строке 3"), std::string::npos);
}

TEST(BuiltInImages, EightyLinesGoInTenBlocksNumberedByTheirFirstLine) {
    const TBuiltInImage image =
        TBuiltInImage::FromText("REV 07.503.090\r\n" + fwtest::LinesFile(80));
    ASSERT_TRUE(image.Usable());
    const std::vector<TFlashBlock> blocks = image.Blocks();
    ASSERT_EQ(blocks.size(), 10u);
    for (size_t j = 0; j < blocks.size(); ++j)
        EXPECT_EQ(blocks[j].Number, j * 8);
    EXPECT_EQ(blocks[9].Number, 0x48);
    EXPECT_EQ(blocks[9].Bytes, image.Image().Bytes(72 * 16, 128)); // lines 73 to 80
    // 83 lines: the last block holds the 3 lines there are, nothing padded.
    const TBuiltInImage odd = TBuiltInImage::FromText("REV 07.503.090\r\n" + fwtest::LinesFile(83));
    EXPECT_EQ(odd.Blocks().back().Bytes.size(), 48u);
}

TEST(BuiltInImages, HeaderVersionCaptionAndChoice) {
    struct Header {
        const char* text;
        int shell, build;
        const char* suffix;
    };
    for (const Header& h :
         {Header{"REV 07.503.090", 503, 90, " (REV 07.503.090)"},
          Header{"REV 07.503.088p", 503, 0, ""}, Header{"REV 07.5x3.090", 0, 90, ""},
          Header{"REV", 0, 0, ""}, Header{"", 0, 0, ""}}) {
        const TImageVersion v = ParseImageHeader(h.text);
        EXPECT_EQ(v.Shell, h.shell) << h.text;
        EXPECT_EQ(v.Build, h.build) << h.text;
        EXPECT_EQ(ImageCaptionSuffix(h.text), h.suffix) << h.text;
    }
    struct Choice {
        int build;
        bool variant;
        const char* flash;
        int image;
    };
    for (const Choice& c : {Choice{88, false, "AT45DB161D", 3}, Choice{88, false, "M45PE16", 3},
                            Choice{88, true, "M45PE16", 2}, Choice{90, false, "M45PE16", 2},
                            Choice{60, true, "AT45DB161D", 1}, Choice{89, false, "", 1}})
        EXPECT_EQ(ChooseBuiltInImage(c.build, c.variant, c.flash), c.image)
            << c.build << " " << c.variant << " " << c.flash;
}

} // namespace
