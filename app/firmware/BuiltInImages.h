#pragma once
// The firmware images the program carries: raw-data resources "1", "2" and "3", each a header
// line ("REV 07.503.090") followed by the image as Intel HEX records. An image is taken only when
// it is whole: every record sound (IntelHexFile.h), the data records 16 bytes each at consecutive
// addresses from 0 (the bootloader numbers the blocks of a built-in image by its lines), and the
// end record last. A missing or broken image says why and is never offered for flashing.

#include "app/firmware/FirmwareImage.h"
#include "app/firmware/FlashBlocks.h"

#include <array>
#include <string>
#include <vector>

class TBuiltInImage {
public:
    // Reads an image's text: the header line, then the records. Never raises.
    static TBuiltInImage FromText(const std::string& text);
    // Reads resource "1", "2" or "3"; a missing resource gives an empty, unusable image.
    static TBuiltInImage FromResource(int number);

    bool Usable() const { return usable_; }
    // Why the image is not usable (empty when it is).
    const std::string& Problem() const { return problem_; }
    const std::string& Header() const { return header_; }
    const TFirmwareImage& Image() const { return image_; }
    // The image's 16-byte lines (the records after the header).
    int Lines() const { return lines_; }
    // The blocks it goes to the bootloader in: eight lines each, the last one with what is left.
    std::vector<TFlashBlock> Blocks() const { return LineBlocks(image_); }

private:
    std::string header_;
    TFirmwareImage image_;
    int lines_ = 0;
    bool usable_ = false;
    std::string problem_;
};

// The three images, in resource order.
std::array<TBuiltInImage, 3> LoadBuiltInImages();

// The shell and build a header line names: the first 4 characters dropped, then everything up to
// and including the first "."; the number before the next "." is the shell, the rest after it
// the build; each 0 when it is not a number ("REV 07.503.088p" gives 503 and 0).
struct TImageVersion {
    int Shell = 0;
    int Build = 0;
};
TImageVersion ParseImageHeader(const std::string& header);

// " (REV 07.503.090)" for the main window's caption when the header names a shell and a build,
// else empty.
std::string ImageCaptionSuffix(const std::string& header);

// Which image a unit is offered (1 to 3): a unit at build 88 without the variant flag gets image
// 3; a unit whose flash type names "M45" image 2; any other image 1.
int ChooseBuiltInImage(int unitBuild, bool variantFlag, const std::string& flashType);
