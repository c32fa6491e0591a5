#pragma once
// Chart texts written in a small subset of HTML: line breaks, bold, italic, underline,
// strike-out, sizes, headings, sub- and superscripts, fonts by name, size, colour and weight,
// centring, a rule and pictures. One left-to-right pass over the tokens measures or draws the
// text through a chart canvas, starting from (and changing) the canvas's font. Each call keeps
// its own tag and font stacks, so nothing carries over from one text to the next.

#include "chart/draw/ChartTypes.h"

#include <functional>
#include <string>

class TPlotCanvas;
class TMemoryStream;

Q4_EXCEPTION(HtmlParserException, Exception);

void DrawTaggedText(TPlotCanvas& canvas, int x, int y, const std::string& text);
TSize MeasureTaggedText(TPlotCanvas& canvas, const std::string& text);

// Fills stream with the bytes of a picture source named in an IMG tag; false when it cannot.
// None is installed: pictures then show the not-found box.
using TTaggedPictureLoader = std::function<bool(const std::string& source, TMemoryStream& stream)>;
TTaggedPictureLoader& TaggedPictureLoader();
