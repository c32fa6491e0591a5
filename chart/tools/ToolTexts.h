#pragma once
// The texts of the chart library's extended edition: gallery names of the further series types
// and functions, their error messages, the chart editor's commands, the tools' names and
// descriptions and the texts of further editors and export formats. Each text is a variable of
// its own, numbered from 1, so that a language module may replace it at run time; code reads the
// variable each time it needs the text.

#include <string>

constexpr int ToolTextCount = 334;

// Numbers of the texts the tools name: each tool's display name, then its description.
enum TToolText : int {
    ttCursorTitle = 97,
    ttCursorSummary = 231,
    ttDragMarksTitle = 98,
    ttDragMarksSummary = 232,
    ttAxisArrowTitle = 99,
    ttAxisArrowSummary = 241,
    ttDrawLineTitle = 100,
    ttDrawLineSummary = 234,
    ttNearestTitle = 101,
    ttNearestSummary = 238,
    ttColorBandTitle = 102,
    ttColorBandSummary = 242,
    ttColorLineTitle = 103,
    ttColorLineSummary = 243,
    ttRotateTitle = 104,
    ttRotateSummary = 248,
    ttImageTitle = 105,
    ttImageSummary = 249,
    ttMarksTipTitle = 106,
    ttMarksTipSummary = 237,
    ttAnnotationTitle = 107,
    ttAnnotationSummary = 246,
    ttSeriesAnimationTitle = 182,
    ttSeriesAnimationSummary = 240,
    ttGridBandTitle = 188,
    ttGridBandSummary = 244,
    ttAxisScrollTitle = 211,
    ttAxisScrollSummary = 252,
    ttRectangleTitle = 212,
    ttRectangleSummary = 247,
    ttClipSeriesTitle = 216,
    ttClipSeriesSummary = 254,
    ttFullScreenTitle = 269,
    ttFullScreenSummary = 270,
    ttPageNumTitle = 169,
    ttPageNumSummary = 257,
    ttAntiAliasTitle = 277,
    ttAntiAliasSummary = 278,
};

// The text variable numbered 1 .. ToolTextCount; raises EChartIndexError outside that range.
std::string& ToolText(int number);

// Fills every text on the first start and empties them all on the last stop; starts and stops
// nest.
void StartToolTexts();
void StopToolTexts();
