#pragma once
// The desktop's clipboard, for plain text and pictures.

#include <cstdint>
#include <string>
#include <vector>

class TGraphic;

class TClipboard {
public:
    // Whether the clipboard holds text now.
    bool HasText() const;
    std::string AsText() const;
    void SetAsText(const std::string& text);
    // Puts a picture on it as an image. A metafile goes there as its file too, under
    // "image/x-emf" or "image/x-wmf" by the kind it saves, beside the image.
    void Assign(const TGraphic& graphic);
    // Whether the clipboard holds an image now, and that image as a 32-bit bitmap's BMP file
    // (empty when it holds none).
    bool HasImage() const;
    std::vector<std::uint8_t> ImageAsBmp() const;
    // The bytes held under a MIME type (empty when there are none).
    std::vector<std::uint8_t> Data(const std::string& mimeType) const;
    // Empties it.
    void Clear();
};

// The one clipboard of the program.
TClipboard* Clipboard();
