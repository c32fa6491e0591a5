#pragma once
// The colour indexes of the workbook format and the process-wide colour palette that turns them
// into colours (0x00BBGGRR). Every workbook starts from the default palette; the last one that
// changes the working palette decides it for all.

#include <array>
#include <cstdint>

enum TExcelColor : uint8_t {
    xc0,
    xc1,
    xc2,
    xc3,
    xc4,
    xc5,
    xc6,
    xc7,
    xcBlack,
    xcWhite,
    xcRed,
    xcBrightGreen,
    xcBlue,
    xcYellow,
    xcPink,
    xcTurquoise,
    xcDarkRed,
    xcGreen,
    xcDarkBlue,
    xcBrownGreen,
    xcViolet,
    xcBlueGreen,
    xcGray25,
    xcGray50,
    xc24,
    xc25,
    xc26,
    xc27,
    xc28,
    xc29,
    xc30,
    xc31,
    xc32,
    xc33,
    xc34,
    xc35,
    xc36,
    xc37,
    xc38,
    xc39,
    xcSky,
    xcPaleTurquois,
    xcPaleGreen,
    xcLightYellow,
    xcPaleSky,
    xcRose,
    xcLilac,
    xcLightBrown,
    xcDarkSky,
    xcDarkTurquois,
    xcGrass,
    xcGold,
    xcLightOrange,
    xcOrange,
    xcDarkBlueGray,
    xcGray40,
    xcDarkGreenGray,
    xcEmerald,
    xcDarkGreen,
    xcOlive,
    xcBrown,
    xcCherry,
    xcIndigo,
    xcGray80,
    xcAutomatic
};

constexpr int kPaletteSize = 65;
using TExcelPalette = std::array<uint32_t, kPaletteSize>;

const TExcelPalette& DefaultExcelPalette();
// The working palette.
extern TExcelPalette ExcelPalette;
// Copies the default palette over the working one.
void ResetExcelPalette();
// The working palette's colour at an index; indexes above 64 read as 64.
uint32_t ExcelPaletteColor(int index);
// The working palette's index from 8 to 63 nearest to a colour.
int NearestExcelColor(uint32_t rgb);
