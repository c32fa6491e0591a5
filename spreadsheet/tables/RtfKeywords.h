#pragma once
// The control words of RTF that the library's reader of it knows: each with its default value
// (used when the word comes without a parameter, or always when the default is passed), its
// kind and what it sets (a property, a destination, a special action, or for characters the
// character code).

#include <array>
#include <cstdint>
#include <string_view>

enum TRtfKeywordKind : uint8_t {
    rkChar = 0,
    rkUnicodeChar = 1,
    rkUnicodeSkip = 2,
    rkDestination = 3,
    rkProperty = 4,
    rkSpecial = 5,
};

enum TRtfProperty : int32_t {
    rpBold = 0,
    rpItalic = 1,
    rpUnderline = 2,
    rpFontSize = 3,
    rpLeftIndent = 4,
    rpRightIndent = 5,
    rpFirstIndent = 6,
    rpColumns = 7,
    rpPageNumberX = 8,
    rpPageNumberY = 9,
    rpPaperWidth = 10,
    rpPaperHeight = 11,
    rpMarginLeft = 12,
    rpMarginRight = 13,
    rpMarginTop = 14,
    rpMarginBottom = 15,
    rpPageNumberStart = 16,
    rpSectionBreak = 17,
    rpPageNumberFormat = 18,
    rpFacingPages = 19,
    rpLandscape = 20,
    rpJustification = 21,
    rpParagraphDefaults = 22,
    rpPlain = 23,
    rpFontColor = 24,
    rpFont = 25,
    rpFontCharset = 26,
};

enum TRtfDestination : int32_t {
    rdSkip = 0,
    rdPicture = 1,
    rdFontTable = 2,
    rdColorTable = 3,
};

enum TRtfSpecial : int32_t {
    rsBinary = 0,
    rsSkipDestination = 1,
    rsHexCharacter = 2,
};

struct TRtfKeyword {
    std::string_view Keyword;
    int32_t Default;
    bool PassDefault;
    TRtfKeywordKind Kind;
    int32_t Index;
};

extern const std::array<TRtfKeyword, 85> kRtfKeywords;
