#pragma once
// The chart library's message table: every text the library raises or shows is a variable here,
// filled with the English texts at start-up and emptied at shut-down. Code reads the variable each
// time it needs the text, so a text replaced at run time takes effect on its next use.

#include <string>

constexpr int ChartMessageCount = 342;

// Positions of the messages the library's code names. The makers' notice comes first and the three
// messages composed from the chart file extension follow it.
enum TChartMessage : int {
    msgCopyright = 0,
    msgInvalidChartFile = 1,
    msgWrongChartFile = 2,
    msgEmptyChartFile = 3,
    msgTest = 4,
    msgLegendFirstValue = 5,
    msgLegendColorWidth = 6,
    msgParentChartDataSource = 7,
    msgInvalidDataSource = 8,
    msgFillSample = 9,
    msgDateTimeLogarithmic = 10,
    msgLogarithmicMinMax = 11,
    msgLabelsSeparation = 12,
    msgAxisIncrement = 13,
    msgAxisMinMax = 14,
    msgAxisMaxMin = 15,
    msgAxisLogBase = 16,
    msgMaxPointsPerPage = 17,
    msg3DPercent = 18,
    msgCircularSeries = 19,
    msgSeriesOf = 21,
    msgSeriesOfLines = 22,
    msgPercentFormat = 23,
    msgValuesFormat = 24,
    msgStandard = 50,
    msgDefault = 82,
    msgDefaultFontSize = 92,
    msgDefaultFontName = 108,
    msgPointerSize = 109,
    msgFunctionPeriod = 119,
    msgValueX = 130,
    msgValueY = 131,
    msgSeries = 157,
    msgPageOfPages = 159,
    // The first entry of a list of gallery pages that stands for every page.
    msgAllPages = 170,
    // The export formats' menu texts and file-dialog filters.
    msgAsBitmap = 173,
    msgBitmapFilter = 174,
    msgAsMetafile = 175,
    msgMetafileFilter = 176,
    msgExportPanelNotSet = 177,
    msgNormal = 178,
    msgSeriesDelete = 215,
    // Descriptions of the standard series types in the gallery.
    msgGalleryLine = 30,
    msgGalleryPoint = 31,
    msgGalleryArea = 32,
    msgGalleryBar = 33,
    msgGalleryHorizBar = 34,
    msgGalleryPie = 36,
    msgGalleryFastLine = 38,
    msgGalleryHorizLine = 39,
    msgGalleryHorizArea = 244,
    msgGalleryFunctions = 52,
    // "Default" in the palette list, then the names of palettes 0 .. 15 in index order.
    msgPaletteDefault = 309,
    msgPaletteFirst = 310,
};

// The message variable (any index 0 .. ChartMessageCount - 1).
std::string& ChartMsg(int index);
// The chart file extension (three letters, no dot) the composed messages embed.
std::string& ChartFileExtension();

// Fills the table on the first start only and empties it on the last stop; starts and stops nest.
void StartChartMessages();
void StopChartMessages();
