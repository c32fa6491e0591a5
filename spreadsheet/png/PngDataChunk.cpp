#include "spreadsheet/png/PngDataChunk.h"

#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngImageReader.h"
#include "spreadsheet/png/PngImageWriter.h"
#include "spreadsheet/png/PngPicture.h"

bool TChunkIDAT::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    SetChunkType(type);
    TPngPicture* image = OwnerImage();
    TChunkIHDR* header = image->RequireHeader();
    std::uint8_t colourType = header->ColourType;
    // The gamma tables are final now (gAMA comes before the image data).
    if (header->Image.IsIndexed &&
        (colourType == COLOR_GRAYSCALE || colourType == COLOR_GRAYSCALEALPHA))
        image->SetPalette(header->MakeGreyPalette(header->Image.BitCount()));
    TPngRowFormat format(header->Image, colourType, header->BitDepth, image->GammaMap(),
                         image->GammaUnmap());
    TPngImageReader reader(stream, type, size, *header, format,
                           PixelStep(colourType, header->BitDepth));
    reader.Run(image->InterlaceKind() == 1);
    return true;
}

bool TChunkIDAT::WriteChunk(TStream& stream) {
    TPngPicture* image = OwnerImage();
    TChunkIHDR* header = image->RequireHeader();
    if (!header->Image.Allocated())
        header->BuildImageMemory();
    TPngRowFormat format(header->Image, header->ColourType, header->BitDepth, image->GammaMap(),
                         image->GammaUnmap());
    TPngImageWriter writer(stream, *header, format, PixelStep(header->ColourType, header->BitDepth),
                           image->RowFilters(), image->DeflateLevel(), image->IdatBlockSize());
    writer.Run(image->InterlaceKind() == 1);
    return true;
}
